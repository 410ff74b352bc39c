#include "rawroad/ZOQDevice_AF_Measure.h"

#include <cstddef>
#include <cstdlib>

int ZoqAutoFocus::Measure(const unsigned char* data, int width, int height) {
    if (data == nullptr || width < 5 || height < 5) return 0;
    m_fitted = FitRegionFocus(region, width, height);
    const int h = m_fitted.height;
    const int w = m_fitted.width;
    const ptrdiff_t stride = width;
    double sum = 0.0;
    for (int i = 2; i <= h - 3; ++i) {
        const unsigned char* c = data + (m_fitted.rowOrigin + i) * stride + m_fitted.x;
        for (int j = 2; j <= w - 3; ++j) {
            const int v = c[j];
            const int differences = std::abs(v - c[j + 2]) + std::abs(v - c[j - 2]) +
                                    std::abs(v - c[j - 2 * stride]) +
                                    std::abs(v - c[j + 2 * stride]);
            sum += differences / 1020.0;
        }
    }
    const int inner = (h - 4) * (w - 4);
    return static_cast<int>(sum / inner * 10200.0);
}
