#pragma once
// Layout of the background form FormBackground. Its position and size are
// replaced by the whole screen when it is created.

#include "platform/FormLayout.h"
#include "resources/StringIds.h"

namespace layouts {

using namespace platform;

inline constexpr ControlLayout kBackgroundControls[] = {
    {"TOpaquePaintBox", "OpaquePaintBox1", nullptr, 0, 0, 105, 105, 0, 0, lfAlignClient | lfOpaque, 0,
     clAppWorkSpace},
};

inline constexpr FormLayout kBackground{
    "FormBackground", IDS_BACKGROUND_CAPTION, BorderStyle::bsNone, Position::poDesigned,
    0, 0, 640, 480, clBtnFace, {HANGEUL_CHARSET, -12, IDS_FORM_FONT_FACE, clWindowText},
    kBackgroundControls,
};

}  // namespace layouts
