#include "commandbar/barstyles.h"

namespace BarStyles {

namespace {

// Office: flat and light, blue frame and fill under the pointer.
constexpr char kOffice[] = R"(
QToolBar { background: #fbfbfb; border: none; border-bottom: 1px solid #b9b9b9; spacing: 0px; padding: 1px; }
QToolBar::separator { background: #c5c5c5; width: 1px; margin: 3px 3px; }
QToolBar > QToolButton { background: transparent; border: 1px solid transparent; border-radius: 0px; padding: 1px; }
QToolBar > QToolButton:hover { background: #c1d2ee; border-color: #316ac5; }
QToolBar > QToolButton:pressed, QToolBar > QToolButton:checked { background: #98b5e2; border-color: #316ac5; }
QToolBar > QToolButton:disabled { color: #a0a0a0; }
QMenu { background: #fbfbfb; border: 1px solid #868686; }
QMenu::item { padding: 3px 24px 3px 26px; color: #000000; }
QMenu::item:selected { background: #c1d2ee; border: 1px solid #316ac5; }
QMenu::item:disabled { color: #a0a0a0; }
QMenu::icon:checked { background: #c1d2ee; border: 1px solid #316ac5; position: absolute; top: 1px; right: 1px; bottom: 1px; left: 1px; }
QMenu::separator { height: 1px; background: #c5c5c5; margin: 2px 4px 2px 26px; }
)";

// Money: a warm green gradient with gold under the pointer.
constexpr char kMoney[] = R"(
QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef5dc, stop:0.5 #c9dca3, stop:1 #93b45c); border: none; border-bottom: 1px solid #6b8a3a; spacing: 0px; padding: 1px; }
QToolBar::separator { background: #6b8a3a; width: 2px; margin: 3px 4px; }
QToolBar > QToolButton { background: transparent; border: 1px solid transparent; border-radius: 2px; padding: 1px; }
QToolBar > QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff6cc, stop:1 #f2c94c); border-color: #b8860b; }
QToolBar > QToolButton:pressed, QToolBar > QToolButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f2c94c, stop:1 #d4a017); border-color: #8b6508; }
QToolBar > QToolButton:disabled { color: #7d8a6a; }
QMenu { background: #f4f8e8; border: 1px solid #6b8a3a; }
QMenu::item { padding: 3px 24px 3px 26px; color: #233510; }
QMenu::item:selected { background: #f2c94c; color: #000000; }
QMenu::item:disabled { color: #9aa58a; }
QMenu::icon:checked { background: #f2c94c; border: 1px solid #b8860b; position: absolute; top: 1px; right: 1px; bottom: 1px; left: 1px; }
QMenu::separator { height: 1px; background: #93b45c; margin: 2px 4px 2px 26px; }
)";

// XP: a blue gradient, rounded orange-framed buttons under the pointer.
constexpr char kXP[] = R"(
QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6faff, stop:0.4 #d6e5fb, stop:1 #8fb2e8); border: none; border-bottom: 1px solid #3b6cc4; spacing: 0px; padding: 1px; }
QToolBar::separator { background: #6a8fd0; width: 1px; margin: 4px 3px; }
QToolBar > QToolButton { background: transparent; border: 1px solid transparent; border-radius: 4px; padding: 1px; }
QToolBar > QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf4, stop:1 #ffd98a); border-color: #e59700; }
QToolBar > QToolButton:pressed, QToolBar > QToolButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd98a, stop:1 #f5a623); border-color: #c06a00; }
QToolBar > QToolButton:disabled { color: #8ea2c2; }
QMenu { background: #f7f9fd; border: 1px solid #3b6cc4; }
QMenu::item { padding: 3px 24px 3px 26px; color: #10213f; }
QMenu::item:selected { background: #316ac5; color: #ffffff; border-radius: 3px; }
QMenu::item:disabled { color: #9aa8c2; }
QMenu::icon:checked { background: #ffd98a; border: 1px solid #e59700; border-radius: 3px; position: absolute; top: 1px; right: 1px; bottom: 1px; left: 1px; }
QMenu::separator { height: 1px; background: #a9bfe6; margin: 2px 4px 2px 26px; }
)";

} // namespace

int normalized(int style)
{
    return style >= 0 && style < kCount ? style : System;
}

QString styleSheet(int style)
{
    switch (normalized(style)) {
    case Office:
        return QString::fromLatin1(kOffice);
    case Money:
        return QString::fromLatin1(kMoney);
    case XP:
        return QString::fromLatin1(kXP);
    default:
        // The native look, packed as tightly as the other looks so every bar fits its width.
        return QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }");
    }
}

} // namespace BarStyles
