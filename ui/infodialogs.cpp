#include "ui/infodialogs.h"

#include "ui/exchange/dialog.h"
#include "ui/resource.h"

int RunNoticeDialog()
{
    CDialog notice(IDD_NOTICE);
    return notice.RunModal();
}

int RunExplainDialog()
{
    CDialog explain(IDD_EXPLAIN);
    return explain.RunModal();
}
