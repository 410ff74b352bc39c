"""Finding cameras and opening them (run with cameras 52 and 53)."""
import pytest

import zoqcam


def test_cameras_list_identity_in_bus_order():
    found = zoqcam.cameras()
    assert [(c.index, c.device_type, c.serial) for c in found] == [(0, 52, 1), (1, 53, 2)]
    for info in found:
        assert info.model.startswith("ZOQ-")
        assert info.firmware > 0
    assert "serial=2" in repr(found[1])


def test_open_by_index_or_serial_and_refusals():
    with zoqcam.Camera(serial=2) as cam:
        assert (cam.index, cam.device_type, cam.serial) == (1, 53, 2)
        assert cam.model == zoqcam.cameras()[1].model
    with zoqcam.Camera() as cam:
        assert cam.index == 0
    with pytest.raises(ValueError, match="serial number 9"):
        zoqcam.Camera(serial=9)
    with pytest.raises(ValueError, match="no camera 2"):
        zoqcam.Camera(2)
    with pytest.raises(ValueError):
        zoqcam.Camera(0, serial=1)


def test_a_closed_camera_refuses_every_call():
    with zoqcam.Camera(0) as cam:
        assert not cam.closed
    assert cam.closed
    for call in (cam.capture_rgb, cam.capture_raw, lambda: cam.exposure, lambda: cam.frames(1)):
        with pytest.raises(ValueError, match="closed"):
            call()


def test_errors_carry_the_api_code_and_text():
    assert zoqcam.error_text(zoqcam.TIMEOUT) == "Time Out"
    with zoqcam.Camera(0) as cam:
        with pytest.raises(zoqcam.Error) as caught:
            cam.frame_rate  # only in trigger mode 3
        error = caught.value
        assert error.code == zoqcam.ILLEGAL_OPERATION
        assert error.text == zoqcam.error_text(zoqcam.ILLEGAL_OPERATION)
        assert error.call == "ZOQ_GetFixedFrameRateEx"
        assert str(error) == f"ZOQ_GetFixedFrameRateEx: {error.text} (-6)"


def test_shutdown_then_the_next_use_starts_again():
    zoqcam.shutdown()
    assert len(zoqcam.cameras()) == 2
