#pragma once

// The one way Win32 headers enter the project's code. <windows.h> defines GetMessage as a macro,
// which would rename EException::GetMessage; code that needs the message loop calls GetMessageW.
#include <windows.h>
#undef GetMessage
