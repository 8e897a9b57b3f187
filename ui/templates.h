#pragma once

// The program's dialogs as templates: every control with its id, text, position and size in dialog units,
// in tab order. RegisterProgramResources hands them and the icon to the window system; it runs once, before
// the first dialog.

void RegisterProgramResources();
