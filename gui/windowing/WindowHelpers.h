// The platform's small dialogs beside the windows: messages, yes/no
// questions, the folder and file choosers and the beep. On Linux messages go
// to standard error and the choosers run zenity or kdialog; without either
// the answer is "no" (false) and a line on standard error says why.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::GUI::Windowing
{
class IWindow;

void showMessage(const ::Orvalite::Basics::CString &message, const ::Orvalite::Basics::CString &title, bool isError);
// True for "yes".
bool askQuestion(const ::Orvalite::Basics::CString &message, const ::Orvalite::Basics::CString &title);
void beep();
// True when a folder was chosen; it is written to pathOut.
bool browseForFolder(::Orvalite::Basics::CString &pathOut, const ::Orvalite::Basics::CString &title);
// The path given is where the chooser starts (unless empty); true when the user
// confirmed, with the chosen path written back. Files of the description's
// extension are offered first, then all files. A saved file need not exist yet.
bool getSaveFileName(::Orvalite::Basics::CString &pathInOut, const IWindow *owner,
                     const ::Orvalite::Basics::CString &description, const ::Orvalite::Basics::CString &extension);
bool getOpenFileName(::Orvalite::Basics::CString &pathInOut, const IWindow *owner,
                     const ::Orvalite::Basics::CString &description, const ::Orvalite::Basics::CString &extension);
} // namespace Orvalite::GUI::Windowing
