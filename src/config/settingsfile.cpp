#include "config/settingsfile.h"

#include "core/numbers.h"

#include <algorithm>

namespace SettingsFile {

void read(const QString& path, IniSettings& settings, QSize screen, TextFile::Result* problem)
{
    const std::optional<QStringList> lines = TextFile::read(path, problem);
    if (!lines) {
        settings.Win_Top = 0;
        settings.Win_Left = 0;
        settings.Win_Height = screen.height();
        settings.Win_Width = screen.width();
        return;
    }

    // A line past the end of the file cannot be read: the text of the last line read stays in
    // place and the value is taken from it again.
    QString text;
    qsizetype next = 0;
    const auto nextLine = [&]() -> QStringView {
        if (next < lines->size())
            text = lines->at(next);
        ++next;
        return text;
    };

    if (const auto top = Numbers::leadingInt32(TextFile::trimSpaces(nextLine())))
        settings.Win_Top = std::max<qint32>(*top, 0);
    if (const auto left = Numbers::leadingInt32(TextFile::trimSpaces(nextLine())))
        settings.Win_Left = std::max<qint32>(*left, 0);
    if (const auto height = Numbers::leadingInt32(TextFile::trimSpaces(nextLine())))
        settings.Win_Height = *height < 2000 ? screen.height() : *height;
    if (const auto width = Numbers::leadingInt32(TextFile::trimSpaces(nextLine())))
        settings.Win_Width = *width < 3000 ? screen.width() : *width;

    for (WindowPlace* place : {&settings.linkTable, &settings.linkEditor}) {
        place->top = Numbers::leadingValue(nextLine());
        place->left = Numbers::leadingValue(nextLine());
        place->height = Numbers::leadingValue(nextLine());
        place->width = Numbers::leadingValue(nextLine());
    }

    if (const auto mode = Numbers::leadingInt16(nextLine()))
        settings.Win_Mode = *mode;
}

TextFile::Result save(const QString& path, const IniSettings& settings, QRect window)
{
    using Numbers::Precision;
    const auto single = [](int value) { return Numbers::print(value, Precision::Single); };

    QStringList lines;
    lines << (window.top() >= 0 ? single(window.top()) : Numbers::print(0));
    lines << (window.left() >= 0 ? single(window.left()) : Numbers::print(0));
    lines << (window.height() > 1000 ? single(window.height()) : Numbers::print(1000));
    lines << (window.width() > 2000 ? single(window.width()) : Numbers::print(2000));
    for (const WindowPlace& place : {settings.linkTable, settings.linkEditor}) {
        lines << Numbers::print(place.top) << Numbers::print(place.left)
              << Numbers::print(place.height) << Numbers::print(place.width);
    }
    lines << Numbers::print(settings.Win_Mode);
    return TextFile::rewrite(path, lines);
}

} // namespace SettingsFile
