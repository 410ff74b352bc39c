"""Single captures as numpy arrays, against the C API's own buffers."""
import numpy as np
import pytest

import zoqcam
from conftest import capture_with_api


def test_rgb_is_the_api_capture_flipped_top_down_without_a_copy(api, cam):
    width, height, bits = cam.size
    assert bits == 24 and cam.bayer_mode < 4  # the default mode is bottom-up
    expected = capture_with_api(api, "ZOQ_CaptureRgbData", 0, width * height * 3)
    image = cam.capture_rgb()
    assert image.shape == (height, width, 3) and image.dtype == np.uint8
    bottom_up = expected.reshape(height, width, 3)
    np.testing.assert_array_equal(image, bottom_up[::-1])
    # A view over the capture buffer: rows run backwards through it.
    assert not image.flags.owndata and image.strides == (-width * 3, 3, 1)
    assert image.base.nbytes in (width * height * 3, 2 * width * height * 3)  # room for 16 bits


def test_top_down_modes_need_no_flip(api, cam):
    cam.bayer_mode = cam.bayer_mode | 4
    width, height, _ = cam.size
    expected = capture_with_api(api, "ZOQ_CaptureRgbData", 0, width * height * 3)
    image = cam.capture_rgb()
    assert image.flags.c_contiguous
    np.testing.assert_array_equal(image, expected.reshape(height, width, 3))


@pytest.mark.parametrize("mode, shape_tail", [(10, (4,)), (14, (4,)), (18, ()), (22, ())])
def test_bgrx_and_gray_modes(api, cam, mode, shape_tail):
    cam.bayer_mode = mode
    width, height, bits = cam.size
    channels = bits // 8
    expected = capture_with_api(api, "ZOQ_CaptureRgbData", 0, width * height * channels)
    expected = expected.reshape((height, width) + shape_tail)
    if mode in (10, 18):
        expected = expected[::-1]
    image = cam.capture_rgb()
    assert image.shape == (height, width) + shape_tail
    np.testing.assert_array_equal(image, expected)  # the fourth bytes are zeros on both sides


def test_raw_is_the_api_raw_frame(api, cam):
    width, height, _ = cam.size
    expected = capture_with_api(api, "ZOQ_CaptureRawData", 0, width * height)
    image = cam.capture_raw()
    assert image.shape == (height, width) and image.dtype == np.uint8
    np.testing.assert_array_equal(image, expected.reshape(height, width))


def test_each_capture_has_its_own_buffer(cam):
    first = cam.capture_rgb()
    kept = first.copy()
    second = cam.capture_rgb()
    assert not np.shares_memory(first, second)
    np.testing.assert_array_equal(first, kept)
