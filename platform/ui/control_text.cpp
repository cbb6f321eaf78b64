#include "platform/ui/control_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "platform/ui/qt_support.h"

namespace {

// A static text keeps the text it was given; what it shows may differ.
constexpr char kRawText[] = "veldrinText";
constexpr char kNoPrefix[] = "veldrinNoPrefix";

// '&' marks the next character as the mnemonic; "&&" shows one '&'.
QString WithoutMnemonics(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    else if (text[i] == u'&') continue;
    shown += text[i];
  }
  return shown;
}

}  // namespace

void SetControlText(QWidget* pWidget, LPCTSTR pszText) {
  QString text = ToQt(pszText);
  if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
    pEdit->setText(text);
  } else if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
    pLabel->setProperty(kRawText, QByteArray(pszText ? pszText : ""));
    // With a buddy the label draws the mnemonic itself and Alt+key moves the
    // focus to the buddy.
    bool bNoPrefix = pLabel->property(kNoPrefix).toBool();
    pLabel->setText(bNoPrefix || pLabel->buddy() ? text : WithoutMnemonics(text));
  } else if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
    pButton->setText(text);
  } else if (pWidget) {
    pWidget->setWindowTitle(text);
  }
}

CString GetControlText(const QWidget* pWidget) {
  if (auto* pEdit = qobject_cast<const QLineEdit*>(pWidget)) return FromQt(pEdit->text());
  if (auto* pLabel = qobject_cast<const QLabel*>(pWidget)) {
    QByteArray raw = pLabel->property(kRawText).toByteArray();
    return CString(raw.constData(), static_cast<int>(raw.size()));
  }
  if (auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) return FromQt(pButton->text());
  return pWidget ? FromQt(pWidget->windowTitle()) : CString();
}

void SetStaticNoPrefix(QWidget* pLabel, bool bNoPrefix) { pLabel->setProperty(kNoPrefix, bNoPrefix); }
