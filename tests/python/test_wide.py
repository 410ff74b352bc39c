"""A camera with 16-bit transfer on (run with 52@16bit): uint16 arrays."""
import numpy as np

from conftest import capture_with_api


def test_raw_frames_are_uint16(api, cam):
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    expected = capture_with_api(api, "ZOQ_CaptureRawData", 0, 64 * 48 * 2).view("<u2")
    image = cam.capture_raw()
    assert image.dtype == np.uint16 and image.shape == (48, 64)
    np.testing.assert_array_equal(image, expected.reshape(48, 64))
    assert image.max() > 255  # the samples use more than 8 bits


def test_rgb_of_16_bit_frames_runs_the_other_way(api, cam):
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    for mode, flipped in ((cam.bayer_mode & 3, False), (cam.bayer_mode & 3 | 4, True)):
        cam.bayer_mode = mode
        expected = capture_with_api(api, "ZOQ_CaptureRgbData", 0, 64 * 48 * 3 * 2).view("<u2")
        expected = expected.reshape(48, 64, 3)
        image = cam.capture_rgb()
        assert image.dtype == np.uint16 and image.shape == (48, 64, 3)
        np.testing.assert_array_equal(image, expected[::-1] if flipped else expected)


def test_stream_frames_are_uint16(cam):
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    still_raw = cam.capture_raw()
    still_rgb = cam.capture_rgb()
    for frame in cam.frames(count=2, raw=True):
        assert frame.bit_count == 16
        np.testing.assert_array_equal(frame.image, still_raw)
    for frame in cam.frames(count=2):
        assert frame.bit_count == 48 and frame.image.dtype == np.uint16
        np.testing.assert_array_equal(frame.image, still_rgb)
