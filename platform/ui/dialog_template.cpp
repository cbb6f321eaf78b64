#include "platform/ui/dialog_template.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "platform/ui/control_text.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/icon_object.h"
#include "platform/ui/list_view_widget.h"
#include "platform/ui/paint.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/wnd.h"

namespace {

// a * b / c, rounded half away from zero.
int MulDiv(int a, int b, int c) {
  long long n = static_cast<long long>(a) * b;
  return static_cast<int>((n >= 0 ? n + c / 2 : n - c / 2) / c);
}

enum : DWORD {
  kButtonTypeMask = 0x000F,
  kStaticTypeMask = 0x001F,
  SS_CENTER = 0x0001,
  SS_RIGHT = 0x0002,
  SS_LEFTNOWORDWRAP = 0x000C,
};

bool IsClass(const DlgItemTemplate& item, const char* pszClass) {
  return item.pszClass && QString::fromLatin1(item.pszClass).compare(QLatin1String(pszClass), Qt::CaseInsensitive) == 0;
}

QWidget* CreateButton(DialogWindow* pWindow, const DlgItemTemplate& item) {
  auto* pButton = new QPushButton(pWindow->Client());
  SetControlText(pButton, item.pszText);
  // The window decides what Enter does (see DialogWindow::keyPressEvent);
  // the default button only looks the part.
  pButton->setAutoDefault(false);
  pButton->setDefault((item.dwStyle & kButtonTypeMask) == BS_DEFPUSHBUTTON);
  const int nId = item.nId;
  QObject::connect(pButton, &QPushButton::clicked, pWindow, [pWindow, pButton, nId]() {
    if (CWnd* pWnd = CWnd::FromHandlePermanent(pWindow)) {
      pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(pButton));
    }
  });
  return pButton;
}

QWidget* CreateStatic(DialogWindow* pWindow, const DlgItemTemplate& item) {
  auto* pLabel = new QLabel(pWindow->Client());
  pLabel->setFocusPolicy(Qt::NoFocus);
  if ((item.dwStyle & kStaticTypeMask) == SS_ICON) {
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    pLabel->setPixmap(IconOf(AfxLoadIconGroup(item.nImageId)).pixmap(cx, cy));
    return pLabel;
  }
  pLabel->setTextFormat(Qt::PlainText);
  const DWORD nType = item.dwStyle & kStaticTypeMask;
  Qt::Alignment horizontal = nType == SS_CENTER ? Qt::AlignHCenter : nType == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
  pLabel->setAlignment(horizontal | Qt::AlignTop);
  pLabel->setWordWrap(nType != SS_LEFTNOWORDWRAP);
  SetStaticNoPrefix(pLabel, (item.dwStyle & SS_NOPREFIX) != 0);
  SetControlText(pLabel, item.pszText);
  return pLabel;
}

QWidget* CreateEdit(DialogWindow* pWindow, const DlgItemTemplate& item) {
  auto* pEdit = new QLineEdit(pWindow->Client());
  pEdit->setFrame((item.dwStyle & WS_BORDER) != 0);
  pEdit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
  SetControlText(pEdit, item.pszText);
  return pEdit;
}

QWidget* CreateControl(DialogWindow* pWindow, const DlgItemTemplate& item) {
  if (IsClass(item, "Button")) return CreateButton(pWindow, item);
  if (IsClass(item, "Static")) return CreateStatic(pWindow, item);
  if (IsClass(item, "Edit")) return CreateEdit(pWindow, item);
  if (IsClass(item, "SysListView32")) return CreateListViewWidget(pWindow->Client(), item.dwStyle);
  return new QWidget(pWindow->Client());
}

}  // namespace

int DialogUnits::X(int du) const { return MulDiv(du, nBaseX, 4); }
int DialogUnits::Y(int du) const { return MulDiv(du, nBaseY, 8); }

QFont DialogFont(const DlgTemplate& dlgTemplate) {
  if ((dlgTemplate.dwStyle & DS_SETFONT) == 0 || dlgTemplate.pszFont == nullptr) return QApplication::font();
  return QFont(ToQt(dlgTemplate.pszFont), dlgTemplate.nPointSize);
}

DialogUnits DialogUnitsOf(const QFont& font) {
  QFontMetrics metrics(font);
  const int cxAlphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits{(cxAlphabet / 26 + 1) / 2, metrics.height()};
}

void CreateControls(DialogWindow* pWindow, const DialogUnits& units) {
  const DlgTemplate& dlgTemplate = pWindow->Template();
  for (int i = 0; i < dlgTemplate.nItems; ++i) {
    const DlgItemTemplate& item = dlgTemplate.pItems[i];
    QWidget* pWidget = CreateControl(pWindow, item);
    pWidget->setGeometry(units.X(item.x), units.Y(item.y), units.X(item.cx), units.Y(item.cy));
    if (qobject_cast<QLabel*>(pWidget) && (item.dwStyle & kStaticTypeMask) == SS_ICON) {
      pWidget->resize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));  // an icon sizes its control
    }
    if (pWidget->focusPolicy() != Qt::NoFocus) {
      pWidget->setFocusPolicy((item.dwStyle & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if ((item.dwStyle & WS_VISIBLE) == 0) pWidget->hide();
    if (item.dwStyle & WS_DISABLED) pWidget->setEnabled(false);
    pWindow->AddItem({item.nId, pWidget, item.dwStyle, IsClass(item, "Button") && (item.dwStyle & kButtonTypeMask) <= BS_DEFPUSHBUTTON});
  }
  // A static text's mnemonic moves the focus to the next control that takes it.
  const auto& items = pWindow->Items();
  for (size_t i = 0; i < items.size(); ++i) {
    auto* pLabel = qobject_cast<QLabel*>(items[i].pWidget);
    if (pLabel == nullptr || (items[i].dwStyle & SS_NOPREFIX) || pLabel->pixmap().isNull() == false) continue;
    for (size_t j = i + 1; j < items.size(); ++j) {
      if (items[j].pWidget->focusPolicy() & Qt::TabFocus) {
        CString text = GetControlText(pLabel);
        pLabel->setBuddy(items[j].pWidget);
        SetControlText(pLabel, text);
        break;
      }
    }
  }
}
