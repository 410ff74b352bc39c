"""Shared fixtures: the module under test, and the C API itself through
ctypes for comparisons (the library the module loaded, found by its soname)."""
import ctypes

import numpy as np
import pytest

import zoqcam


@pytest.fixture(scope="session")
def api():
    zoqcam.cameras()  # starts the library, so libzoqapi is loaded
    lib = ctypes.CDLL("libzoqapi.so.8")
    return lib


@pytest.fixture
def cam():
    with zoqcam.Camera(0) as camera:
        mode = camera.bayer_mode
        window = camera.field_of_view
        yield camera
        camera.bayer_mode = mode
        camera.field_of_view = window


def capture_with_api(api, function, index, nbytes):
    """The bytes a ZOQ_Capture* call writes into a buffer of nbytes."""
    buffer = (ctypes.c_ubyte * nbytes)()
    rc = getattr(api, function)(index, buffer)
    assert rc == 0, zoqcam.error_text(rc)
    return np.frombuffer(buffer, dtype=np.uint8).copy()
