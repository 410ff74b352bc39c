"""Settings as properties with their ranges."""
import pytest

import zoqcam


def test_exposure_reads_back_what_the_sensor_keeps(cam):
    low, high = cam.exposure_range
    assert 0 <= low < high
    cam.exposure = 12.0
    assert cam.exposure == pytest.approx(12.0, abs=0.5)
    cam.exposure = 3.0
    assert cam.exposure == pytest.approx(3.0, abs=0.5)


def test_ranged_settings_take_values_in_range_and_keep_to_it(cam):
    for name in ("gamma", "contrast", "brightness", "saturation"):
        low, high = getattr(cam, f"{name}_range")
        assert low < high
        before = getattr(cam, name)
        setattr(cam, name, high)
        assert getattr(cam, name) == high
        setattr(cam, name, low)
        assert getattr(cam, name) == low
        setattr(cam, name, high + 1)  # the library keeps to the range
        assert getattr(cam, name) == high
        setattr(cam, name, low - 1)
        assert getattr(cam, name) == low
        setattr(cam, name, before)


def test_gain_sets_every_colour(cam):
    low, high = cam.gain_range
    cam.gain = high
    assert cam.gain == high
    cam.gain = low
    assert cam.gain == low


def test_field_of_view_changes_the_images(cam):
    full = cam.default_field_of_view
    cam.field_of_view = (0, 0, 320, 240, 0, 0)
    assert cam.field_of_view[2:4] == (320, 240)
    assert cam.capture_rgb().shape == (240, 320, 3)
    assert cam.capture_raw().shape == (240, 320)
    cam.field_of_view = (0, 0, 640, 480, 1, 1)  # every 2nd pixel
    assert cam.capture_rgb().shape == (240, 320, 3)
    assert full[2] > 640


def test_white_balance_modes_and_gains(cam):
    assert cam.white_balance_range == (0, 8)
    cam.white_balance = 4  # software, the application's gains
    cam.white_balance_gains = (1.5, 1.0, 0.5)
    assert cam.white_balance_gains == pytest.approx((1.5, 1.0, 0.5))
    cam.white_balance = 0
    assert cam.white_balance == 0
    with pytest.raises(zoqcam.Error):
        cam.white_balance = 9


def test_fixed_frame_rate_in_trigger_mode_3(cam):
    with pytest.raises(zoqcam.Error) as caught:
        cam.trigger_mode = 3  # camera 0 (52) has no fixed frame rate
    assert caught.value.code == zoqcam.NOT_SUPPORTED
    with zoqcam.Camera(1) as timed:  # 114 has
        timed.trigger_mode = 3
        try:
            timed.frame_rate = 10.0
            assert timed.frame_rate == pytest.approx(10.0, rel=0.01)
            timed.field_of_view = (0, 0, 64, 48, 0, 0)
            frames = list(timed.frames(count=4, buffers=6, timeout_ms=5000))
            assert all(f.ok for f in frames)
        finally:
            timed.trigger_mode = 0
        assert timed.trigger_mode == 0


def test_auto_exposure_runs_and_stops_by_itself(cam):
    cam.field_of_view = (0, 0, 320, 240, 0, 0)
    cam.exposure = 20.0
    start_level = cam.capture_raw().mean()
    cam.auto_exposure_target = 60
    assert cam.auto_exposure_target == 60
    cam.auto_exposure = True
    assert cam.auto_exposure
    for _ in range(60):
        cam.capture_raw()
        if not cam.auto_exposure:
            break
    assert not cam.auto_exposure
    assert cam.exposure < 20.0
    assert cam.capture_raw().mean() < start_level


def test_flip_and_mirror_turn_the_raw_frame(cam):
    if not (cam.query(3) and cam.query(2)):
        pytest.skip("the camera neither flips nor mirrors")
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    cam.flip = True
    assert cam.flip
    cam.flip = False
    cam.mirror = True
    assert cam.mirror
    cam.mirror = False
