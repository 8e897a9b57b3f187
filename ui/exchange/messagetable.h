#pragma once

#include <span>

// One row of a dialog's message table: a command from control nId with notification nCode runs the handler.
template<class TDialog>
struct MessageEntry
{
    int nId;
    int nCode;
    void (TDialog::*pfnHandler)();
};

template<class TDialog>
bool DispatchMessageTable(TDialog* pDialog, std::span<const MessageEntry<TDialog>> table, int nId, int nCode)
{
    for (const MessageEntry<TDialog>& entry : table) {
        if (entry.nId == nId && entry.nCode == nCode) {
            (pDialog->*entry.pfnHandler)();
            return true;
        }
    }
    return false;
}
