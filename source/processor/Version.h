// The names and version strings the module announces to hosts.
#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {
namespace Vst {

constexpr const char8* kPluginName = "Tessaline";
constexpr const char8* kControllerName = "TessalineControllers";
constexpr const char8* kPluginSubCategories = "Fx|Reverb";
constexpr const char8* kVersionString = "2.0.1.1";
// The interface version the plug-in was written against, whatever SDK builds it.
constexpr const char8* kSdkVersionString = "VST 3.6.6";

constexpr const char8* kVendorName = "Tessaline Audio";
constexpr const char8* kVendorUrl = "https://tessaline.audio";
constexpr const char8* kVendorEmail = "mailto:support@tessaline.audio";

} // namespace Vst
} // namespace Steinberg
