// Times the link-table window on a table of 10,000 entries: opening it (the window built, the
// table read into its grid, shown and painted once) and saving the table ("SAVE2" without the
// reload: sorted by title, written, the titles file written), beside a plain read of the same
// file (its lines split into their six fields) and a plain sorted write of the same entries
// (sorted by title in the same collation and written through QSaveFile), in the same run.
//
//   links_bench [repetitions] [entries]     (defaults 9 and 10000; medians are printed)
//
// Targets: opening at most 150 ms and at most 2 x the plain read; saving at most 2 x the plain
// sorted write. Files go to a temporary folder on the disk of the system's temporary folder.

#include "commandbar/commandpool.h"
#include "config/languagefile.h"
#include "config/settingsfile.h"
#include "core/programdir.h"
#include "core/textfile.h"
#include "links/linkline.h"
#include "links/linktitles.h"
#include "platform/desktop.h"
#include "windows/frmtab.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace {

class SilentDesktop : public Desktop {
public:
    bool open(const QUrl&) override { return true; }
    void message(QWidget*, const QString&, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// Entries as a user collects them: titles of mixed case in no order, addresses, a note from the
// address box, one in five with a concealed value.
QStringList makeEntries(int count)
{
    QRandomGenerator random(20240506);
    const char* const words[] = {"news", "Shop",  "blog",  "Forum", "wiki",   "Docs",   "mail",
                                 "Maps", "radio", "Video", "bank",  "Travel", "recipes"};
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString title = QStringLiteral("%1 %2 %3")
                                  .arg(QLatin1String(words[random.bounded(13)]),
                                       QLatin1String(words[random.bounded(13)]))
                                  .arg(random.bounded(100000));
        const QString url = QStringLiteral("https://www.example%1.org/section/page-%2.html")
                                .arg(random.bounded(1000))
                                .arg(i);
        const QString hidden = random.bounded(5) == 0 ? QStringLiteral("user%1").arg(i) : QString();
        lines << LinkLine::join({title, url, QString(), hidden, url, QStringLiteral("2024-05-06")});
    }
    return lines;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMs(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 9;
    const int count = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 10000;

    QTemporaryDir temp;
    for (const char* folder : {"Languages", "Data", "Links"})
        QDir(temp.path()).mkpath(QLatin1String(folder));
    const ProgramDir dir(temp.path());
    const QString tableFile = temp.path() + QStringLiteral("/Links/Links.000");
    const QString plainFile = temp.path() + QStringLiteral("/Links/plain.txt");
    const QStringList entries = makeEntries(count);
    if (!TextFile::rewrite(tableFile, entries)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(tableFile));
        return 1;
    }
    const QByteArray original = [&] {
        QFile f(tableFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    SilentDesktop desktop;
    CaptionTable captions;
    CommandPool pool;
    for (const char* key : {"EXIT5", "EXIT6", "ADDURL", "EDITURL", "GOURL", "SORT", "SAVE2",
                            "HELP2", "TITLE", "CANCEL", "SAVE3"})
        pool.add(QLatin1String(key), 0);
    for (const char* key : {"SEP1", "SEP4", "SEP5", "SEP7", "SEP10"})
        pool.add(QLatin1String(key), -1, QString(), EntryStyle::Separator);
    IniSettings ini;

    std::vector<double> plainRead, opening, plainWrite, saving;
    for (int run = 0; run < repetitions; ++run) {
        // Every run starts from the same unsorted file.
        QFile restore(tableFile);
        if (!restore.open(QIODevice::WriteOnly) || restore.write(original) != original.size())
            return 1;
        restore.close();
        LinkTitles titles;
        titles.applyDefaultTitles(QStringLiteral("Group"));
        titles.setEntryCount(1, count);

        std::vector<LinkLine::Fields> read;
        plainRead.push_back(timeMs([&] {
            const QStringList lines = TextFile::read(tableFile).value_or(QStringList());
            read.reserve(static_cast<size_t>(lines.size()));
            for (const QString& line : lines) {
                if (const std::optional<LinkLine::Fields> fields = LinkLine::split(line))
                    read.push_back(*fields);
            }
        }));

        plainWrite.push_back(timeMs([&] {
            QCollator collator;
            std::vector<QCollatorSortKey> keys;
            keys.reserve(read.size());
            for (const LinkLine::Fields& fields : read)
                keys.push_back(collator.sortKey(fields[0]));
            std::vector<size_t> order(read.size());
            std::iota(order.begin(), order.end(), size_t(0));
            std::stable_sort(order.begin(), order.end(),
                             [&keys](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
            QStringList lines;
            lines.reserve(static_cast<qsizetype>(order.size()));
            for (const size_t i : order)
                lines << LinkLine::join(read[i]);
            TextFile::rewrite(plainFile, lines);
        }));

        const LinkWindowsSetup setup{dir,    desktop,       captions,       pool,
                                     titles, ini.linkTable, ini.linkEditor, QStringLiteral("Eng")};
        std::unique_ptr<frmTab> window;
        opening.push_back(timeMs([&] {
            window = std::make_unique<frmTab>(setup, ShownPage{});
            window->show();
            window->grab(); // every control painted once
        }));
        if (window->table().Entry_Count() != count) {
            std::fprintf(stderr, "the window shows %d entries, not %d\n",
                         window->table().Entry_Count(), count);
            return 1;
        }
        saving.push_back(timeMs([&] {
            if (!window->table().Save_Table())
                std::fprintf(stderr, "the save failed\n");
        }));
        window->GO_Exit();
        window.reset();
    }

    const double read = median(plainRead);
    const double open = median(opening);
    const double write = median(plainWrite);
    const double save = median(saving);
    std::printf("link tables, %d entries (%lld bytes), median of %d runs\n", count,
                static_cast<long long>(original.size()), repetitions);
    std::printf("  plain read            %8.2f ms\n", read);
    std::printf("  opening the window    %8.2f ms   %.2f x the plain read   (targets: <= 150 ms, "
                "<= 2 x)\n",
                open, open / read);
    std::printf("  plain sorted write    %8.2f ms\n", write);
    std::printf("  saving the table      %8.2f ms   %.2f x the plain sorted write   (target: <= 2 "
                "x)\n",
                save, save / write);
    return 0;
}
