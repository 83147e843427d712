#pragma once

// The desktop services as the windows need them: the session's questions plus
// showing one of our own dialogs modally, which only widgets can do. Tests
// answer both from one script.

#include "session/PlatformServices.h"

class QDialog;

namespace zelvik {

class WidgetPlatform : public PlatformServices {
public:
    // Shows `dialog` modally; returns QDialog::Accepted or Rejected.
    virtual int execDialog(QDialog& dialog) = 0;
};

} // namespace zelvik
