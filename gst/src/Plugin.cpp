// The zoq plug-in (libgstzoq.so): the zoqsrc element.
#include <gst/gst.h>

#include "GstZoqSrc.h"
#include "zoq_version.h"

#define PACKAGE "zoq"

static gboolean plugin_init(GstPlugin* plugin) {
    return gst_element_register(plugin, "zoqsrc", GST_RANK_NONE, GST_TYPE_ZOQ_SRC);
}

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, zoq, "ZOQ industrial USB cameras",
                  plugin_init, ZOQ_VERSION_STRING, "LGPL", "ZOQ camera SDK",
                  "https://zoq.invalid/sdk")
