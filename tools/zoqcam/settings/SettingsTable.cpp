// The settings table: its parts in the order they are applied. The window
// and the sensor come first, since the pipeline's regions and flat-field
// frames depend on them; auto exposure comes last.
#include "settings/SettingHelpers.h"

namespace zoqcam {

const std::vector<Setting>& Settings() {
    static const std::vector<Setting> table = [] {
        std::vector<Setting> all;
        for (const std::vector<Setting>* part :
             {&table::kCameraSettings, &table::kPipelineSettings, &table::kColourSettings,
              &table::kAutoExposureSettings})
            all.insert(all.end(), part->begin(), part->end());
        return all;
    }();
    return table;
}

}  // namespace zoqcam
