// zoqsrc: a live source of frames from a ZOQ camera.
#pragma once

#include <gst/base/gstpushsrc.h>

G_BEGIN_DECLS

#define GST_TYPE_ZOQ_SRC (gst_zoq_src_get_type())
G_DECLARE_FINAL_TYPE(GstZoqSrc, gst_zoq_src, GST, ZOQ_SRC, GstPushSrc)

G_END_DECLS
