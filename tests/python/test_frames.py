"""Continuous acquisition as an iterator."""
import numpy as np
import pytest

import zoqcam


def test_frames_come_in_sequence_with_time_stamps_and_the_capture_image(cam):
    cam.field_of_view = (0, 0, 320, 240, 0, 0)
    still = cam.capture_rgb()
    seen = []
    with cam.frames(count=6) as frames:
        for frame in frames:
            assert frame.ok and frame.status == zoqcam.SUCCESS
            assert frame.image.shape == still.shape
            np.testing.assert_array_equal(frame.image, still)  # the scene stands still
            seen.append((frame.sequence, frame.timestamp_ns))
        stats = frames.stats
    assert len(seen) == 6
    sequences = [s for s, _ in seen]
    assert sequences == sorted(sequences) and len(set(sequences)) == 6
    stamps = [t for _, t in seen]
    assert all(b > a for a, b in zip(stamps, stamps[1:]))
    assert stats.delivered >= 6 and stats.failed == 0


def test_raw_frames_match_the_raw_capture(cam):
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    still = cam.capture_raw()
    frames = list(cam.frames(count=3, raw=True, block=True))
    assert [f.sequence for f in frames] == [0, 1, 2]
    for frame in frames:
        assert frame.raw and frame.bit_count == 8
        np.testing.assert_array_equal(frame.image, still)


def test_images_live_as_long_as_the_frame_and_release_ends_them(cam):
    cam.field_of_view = (0, 0, 64, 48, 0, 0)
    frames = cam.frames(count=2, buffers=2, block=True)
    first = next(frames)
    image = first.image
    kept = image.copy()
    second = next(frames)
    np.testing.assert_array_equal(image, kept)
    del first  # the image still holds the frame's buffer
    np.testing.assert_array_equal(image, kept)
    second.release()
    with pytest.raises(ValueError, match="released"):
        second.image
    with pytest.raises(StopIteration):
        next(frames)


def test_count_zero_gives_nothing_and_a_negative_count_is_refused(cam):
    assert list(cam.frames(count=0)) == []
    with pytest.raises(ValueError):
        cam.frames(count=-1)


def test_a_stream_open_at_shutdown_is_closed_first(cam):
    frames = cam.frames()  # until stopped
    frame = next(frames)
    assert frame.ok
    image = frame.image
    with pytest.raises(ValueError, match="still held"):
        zoqcam.shutdown()  # the image points into the stream's buffers
    del frame
    with pytest.raises(ValueError, match="still held"):
        zoqcam.shutdown()
    del image
    zoqcam.shutdown()
    with pytest.raises(zoqcam.Error):
        next(frames)
    assert len(zoqcam.cameras()) == 1


def test_a_mode_changed_mid_stream_keeps_images_top_down(cam):
    cam.field_of_view = (0, 0, 320, 240, 0, 0)
    still = cam.capture_rgb()  # bottom-up mode, turned top-down
    assert cam.bayer_mode < 4
    good = 0
    with cam.frames(count=12) as frames:
        for i, frame in enumerate(frames):
            if i == 4:
                cam.bayer_mode = cam.bayer_mode | 4  # the top-down twin
            if frame.ok:
                np.testing.assert_array_equal(frame.image, still)
                good += 1
            else:
                assert frame.status == zoqcam.BAD_FRAME  # in flight at the change
    assert good >= 8
    assert cam.capture_rgb().flags.c_contiguous  # no flip needed any more
