#include "windows/frmlogin.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

QLabel* plainLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(text);
    return label;
}

} // namespace

frmLogin::frmLogin(const CaptionTable& captions, const Asked& asked, QWidget* parent)
    : QDialog(parent), m_user(new QLineEdit(this)), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(captions.textOrEnglish(CaptionNo::LoginTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    const int who = asked.proxy ? CaptionNo::LoginProxy : CaptionNo::LoginSite;
    layout->addWidget(plainLabel(captions.textOrEnglish(who).arg(asked.host), "labSite", this));
    if (!asked.realm.isEmpty()) {
        layout->addWidget(plainLabel(captions.textOrEnglish(CaptionNo::LoginRealm).arg(asked.realm),
                                     "labRealm", this));
    }
    if (asked.again) {
        layout->addWidget(
            plainLabel(captions.textOrEnglish(CaptionNo::LoginAgain), "labAgain", this));
    }
    m_user->setObjectName(QStringLiteral("txtUser"));
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* fields = new QFormLayout;
    fields->addRow(plainLabel(captions.textOrEnglish(CaptionNo::LoginUser), "labUser", this),
                   m_user);
    fields->addRow(
        plainLabel(captions.textOrEnglish(CaptionNo::LoginPassword), "labPassword", this),
        m_password);
    layout->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(captions.textOrEnglish(CaptionNo::LoginTitle));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    m_user->setFocus(Qt::OtherFocusReason);
}

frmLogin::~frmLogin() = default;

std::optional<frmLogin::Answer> frmLogin::ask(const CaptionTable& captions, const Asked& asked,
                                              QWidget* parent)
{
    frmLogin window(captions, asked, parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return Answer{window.m_user->text(), window.m_password->text()};
}
