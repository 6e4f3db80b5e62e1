#include "config/optionsfile.h"

#include "core/numbers.h"

#include <QFileInfo>

namespace {

// The lines a first start writes: style 1, the reserved numbers and the auto-hide option 0, and
// the home page. There is no language line; reading it back keeps "English".
QStringList defaultLines(const QString& makerHomePage)
{
    return {Numbers::print(1), Numbers::print(0), Numbers::print(0), Numbers::print(0),
            makerHomePage};
}

// Takes the values from the lines present; a missing line or a number outside the 16-bit range
// leaves its value as it was.
void apply(const QStringList& lines, Options& options)
{
    qint16* const numbers[] = {&options.Bar_Style, &options.reserved1, &options.Float_Bar,
                               &options.reserved2};
    for (qsizetype i = 0; i < 4 && i < lines.size(); ++i) {
        if (const std::optional<qint16> value = Numbers::leadingInt16(lines[i]))
            *numbers[i] = *value;
    }
    if (lines.size() > 4)
        options.Home_Page = lines[4];
    if (lines.size() > 5)
        options.Lang_Name = lines[5];
}

} // namespace

namespace OptionsFile {

void read(const QString& path, Options& options, const QString& makerHomePage,
          TextFile::Result* problem)
{
    options.Lang_Name = QStringLiteral("English");

    std::optional<QStringList> lines = TextFile::read(path, problem);
    if (!lines && !QFileInfo::exists(path)) {
        // First start: the file is created with its defaults and then read back like any other.
        if (TextFile::rewrite(path, defaultLines(makerHomePage)))
            lines = TextFile::read(path);
    }
    if (!lines) {
        // Neither readable nor creatable (or present but unreadable, which is left untouched):
        // the run goes on with the values a new file would have given.
        lines = defaultLines(makerHomePage);
    }
    apply(*lines, options);
}

std::optional<Options> peek(const QString& path)
{
    const std::optional<QStringList> lines = TextFile::read(path);
    if (!lines)
        return std::nullopt;
    Options options;
    apply(*lines, options);
    return options;
}

TextFile::Result save(const QString& path, const Options& options)
{
    return TextFile::rewrite(path,
                             {Numbers::print(options.Bar_Style), Numbers::print(options.reserved1),
                              Numbers::print(options.Float_Bar), Numbers::print(options.reserved2),
                              options.Home_Page, options.Lang_Name});
}

} // namespace OptionsFile
