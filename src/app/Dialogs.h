#pragma once
// The Dialogs interface of the window; it lives in platform so that lower layers can ask too.

#include "platform/Dialogs.h"
