#pragma once

// The start-up notice and the explanation behind "Huh?": plain dialogs with no logic of their own. Whoever
// runs them ignores how they were closed.
int RunNoticeDialog();
int RunExplainDialog();
