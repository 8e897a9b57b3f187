// On an X server with a window manager (on_x.sh starts both): where each window opens, frame included, and whether
// accessibility tools are told where every window and control really is, as the X server has it.

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

#include <QAccessible>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include "tests/support/uitest.h"
#include "ui/exchange/winapp.h"
#include "ui/gearcalcdlg.h"
#include "ui/infodialogs.h"
#include "ui/templates.h"

namespace {

template<typename TReply>
std::unique_ptr<TReply, decltype(&std::free)> Own(TReply* pReply)
{
    return {pReply, &std::free};
}

class Placement : public UiTest
{
protected:
    void SetUp() override { RegisterProgramResources(); }

    // The window with the frame the window manager put around it: its ancestor just below the root.
    QRect Frame(xcb_window_t window) const
    {
        for (xcb_window_t parent = window; parent != m_root;
             parent = Own(xcb_query_tree_reply(m_pX, xcb_query_tree(m_pX, window), nullptr))->parent)
            window = parent;
        const auto pGeometry = Own(xcb_get_geometry_reply(m_pX, xcb_get_geometry(m_pX, window), nullptr));
        const int nBorders = 2 * pGeometry->border_width;
        return {pGeometry->x, pGeometry->y, pGeometry->width + nBorders, pGeometry->height + nBorders};
    }

    // Waits until the frame lies on the screen, and exactly over `centredOver` where given (to the pixel: the space
    // left over is shared evenly, but for an odd pixel), and until Qt, and so accessibility tools, put the window and
    // every shown control where the X server shows them.
    void ExpectPlaced(HWND hDlg, std::optional<QRect> centredOver)
    {
        QWidget* pWindow = platform::WidgetOf(hDlg);
        QStringList problems;
        const auto placed = [&] {
            const QRect frame = Frame(pWindow->winId());
            const QRect over = centredOver.value_or(frame);
            const QPoint off = frame.topLeft() - over.topLeft() + frame.bottomRight() - over.bottomRight();
            problems.clear();
            if (!Frame(m_root).contains(frame) || std::abs(off.x()) > 1 || std::abs(off.y()) > 1)
                problems << QString::asprintf("frame at %d,%d", frame.x(), frame.y());
            const auto pOrigin = Own(xcb_translate_coordinates_reply(
                m_pX, xcb_translate_coordinates(m_pX, pWindow->winId(), m_root, 0, 0), nullptr));
            const QPoint origin(pOrigin->dst_x, pOrigin->dst_y);
            if (pWindow->geometry().topLeft() != origin)
                problems << QString::asprintf("window taken for at %d,%d", pWindow->x(), pWindow->y());
            const QList<QWidget*> widgets = pWindow->findChildren<QWidget*>() << pWindow;
            for (QWidget* pWidget : widgets) {
                const QRect told = QAccessible::queryAccessibleInterface(pWidget)->rect();
                if (pWidget->isVisible() && told != QRect(pWidget->mapTo(pWindow, origin), pWidget->size()))
                    problems << QString::asprintf("control %d told at %d,%d",
                                                  platform::GetDlgCtrlID(platform::HandleOf(pWidget)), told.x(),
                                                  told.y());
            }
            return problems.isEmpty();
        };
        EXPECT_TRUE(QTest::qWaitFor(placed, 3000))
            << "dialog " << platform::GetDialogTemplateId(hDlg) << ": " << problems.join(u"; ").toStdString();
    }

    xcb_connection_t* m_pX = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_window_t m_root = xcb_setup_roots_iterator(xcb_get_setup(m_pX)).data->root;
};

TEST_F(Placement, WindowsOpenCentredAndAreToldWhereTheyAre)
{
    CGearCalcDlg calculator;
    DriveDialogs(m_seam, [&](HWND hDlg) {
        const int nId = platform::GetDialogTemplateId(hDlg);
        const bool bOwned = nId != IDD_NOTICE && nId != IDD_GEARCALC_DIALOG;
        ExpectPlaced(hDlg, Frame(bOwned ? platform::WidgetOf(calculator.m_hWnd)->winId() : m_root));
        if (nId != IDD_GEARCALC_DIALOG) {
            platform::WidgetOf(hDlg)->close();
            return;
        }
        Click(hDlg, IDC_CALC_DIAMETER);
        Click(hDlg, IDC_HUH);
        // Widened beyond the screen's right edge, the window comes back onto it.
        Click(hDlg, IDC_WORKBENCH);
        ExpectPlaced(hDlg, std::nullopt);
        // Moved by the user, as the window manager does it for a drag, it stays where it was put.
        const QRect moved(QPoint(10, 10), Frame(platform::WidgetOf(hDlg)->winId()).size());
        static constexpr char kMove[] = "_NET_MOVERESIZE_WINDOW"; // x and y given (3 << 8), by the user (2 << 12)
        const xcb_client_message_event_t move{
            XCB_CLIENT_MESSAGE,
            32,
            0,
            static_cast<xcb_window_t>(platform::WidgetOf(hDlg)->winId()),
            Own(xcb_intern_atom_reply(m_pX, xcb_intern_atom(m_pX, 0, strlen(kMove), kMove), nullptr))->atom,
            {.data32 = {XCB_GRAVITY_NORTH_WEST | 3 << 8 | 2 << 12, uint32_t(moved.x()), uint32_t(moved.y())}}};
        xcb_send_event(m_pX, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT, reinterpret_cast<const char*>(&move));
        xcb_flush(m_pX);
        ExpectPlaced(hDlg, moved);
        calculator.EndModal(IDCANCEL);
    });
    RunNoticeDialog();
    GetApp()->m_pMainWnd = &calculator;
    calculator.RunModal();
    GetApp()->m_pMainWnd = nullptr;
}

} // namespace
