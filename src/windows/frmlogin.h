#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class CaptionTable;
class QLineEdit;

// The login window: a site or a proxy asks for a user name and a password. It names the host
// and the server's own words (its realm) as plain text, takes the user name and the password
// (hidden) and keeps nothing once closed.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    struct Asked {
        QString host;  // already fit to be shown
        QString realm; // already fit to be shown; may be empty
        bool proxy = false;
        bool again = false; // the last answer was not accepted
    };
    struct Answer {
        QString user;
        QString password;
    };

    frmLogin(const CaptionTable& captions, const Asked& asked, QWidget* parent);
    ~frmLogin() override;

    QLineEdit* user() const { return m_user; }
    QLineEdit* password() const { return m_password; }

    // Shows the window until it is answered: the answer, or nothing when cancelled.
    static std::optional<Answer> ask(const CaptionTable& captions, const Asked& asked,
                                     QWidget* parent);

private:
    QLineEdit* m_user;
    QLineEdit* m_password;
};
