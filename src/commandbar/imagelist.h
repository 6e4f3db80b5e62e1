#pragma once

#include <QIcon>
#include <QString>
#include <QStringView>
#include <QVector>

// The main window's image list: 135 icons of 16 x 16 pixels, indexed 0 to 134, read from the
// resources ":/icons/000.png" to ":/icons/134.png". Thirteen icons carry a text key: the flags
// of the language menu. A missing picture gives a null icon; indexes and keys stay fixed.
class ImageList {
public:
    static constexpr int kCount = 135;
    static constexpr int kIconSize = 16;
    // The flag used for a language whose name matches no key.
    static constexpr int kDefaultFlag = 106;
    // Where the search for a flag key begins.
    static constexpr int kFirstFlagSearch = 104;

    // Loads the pictures found below the resource prefix; needs the application object.
    explicit ImageList(const QString& resourcePrefix = QStringLiteral(":/icons"));

    int count() const { return kCount; }
    // The icon of an index; a null icon for -1, an index out of range or a missing picture.
    QIcon icon(int index) const;
    void setIcon(int index, const QIcon& icon);
    // The text key of an index, empty for most.
    QString key(int index) const;

    // The first icon from index 104 upwards whose key's first two characters equal the given
    // text; 106 when none does.
    int indexOfKeyPrefix(QStringView prefix) const;

private:
    // The pictures are read when an icon is first asked for: most serve only the menus.
    QString m_prefix;
    mutable QVector<QIcon> m_icons;
    mutable QVector<bool> m_loaded;
    QVector<QString> m_keys;
};
