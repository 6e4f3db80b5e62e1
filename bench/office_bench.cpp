// Times the office exports through the helper, cold (no office running: the first export of a
// run) and warm (the office kept from the export before), beside the anchor measured in the same
// run: `soffice --headless --convert-to` of the same page's markup, which starts an office,
// reads the page and writes an office file. Targets: cold no slower than the anchor, warm at
// most half of it.
//
//   office_bench [--runs N] [--page FILE.html]     (default 5 runs; medians are printed)
//
// The kinds of run alternate within each round. The anchor has a profile of its own, kept
// between its runs as the helper's is; the profiles are made before the first counted run.
// soffice never records its version in a profile it runs headless, so each of its starts takes
// the slow way of a first start after an upgrade; the helper records it once. A second anchor,
// whose profile has it recorded the same way, is printed beside the first for comparison.
// Converting markup to a presentation has no filter in the office, so the presentation's anchor
// is the one-picture page converted to a Word 97 document.
//
// The office's life, through the browser's own office session: the first export of a run when
// the export menu has started the office and the user took 1.5 s to choose a name, beside a warm
// export in the same run (target: no slower than warm) and a cold one without the menu; and the
// memory the resident office holds (the resident set of its process group, from /proc), before
// and after it ends for want of exports.
//
//   office_bench --life [--runs N]     (this part only)

#include "export/officejob.h"
#include "export/officesession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <chrono>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

namespace {

const char* const kAnchorProfile = "anchor-profile";
const char* const kRecordedProfile = "anchor-profile-recorded";

struct Kind {
    const char* name;
    OfficeJob::Kind kind;
    const char* extension;
    const char* anchorFormat; // --convert-to
    const char* anchorFilter; // --infilter, or null
    bool picturePage;         // the anchor converts the one-picture page
};

QString defaultPage()
{
    QString html = QStringLiteral("<html><head><title>Bench</title></head><body><h1>Contacts</h1>");
    for (int n = 0; n < 60; ++n)
        html += QStringLiteral("<p>Paragraph %1: write to <a href=\"mailto:p%1@example.org\">"
                               "p%1@example.org</a> for more about the subject of this page.</p>")
                    .arg(n);
    html += QStringLiteral("<table border=\"1\"><tr><th>Name</th><th>Mail</th></tr>");
    for (int n = 0; n < 40; ++n)
        html += QStringLiteral("<tr><td>Person %1</td><td>person%1@example.org</td></tr>").arg(n);
    return html + QStringLiteral("</table></body></html>");
}

QString sofficePath()
{
    const QString configured = qEnvironmentVariable("QUORVINK_SOFFICE");
    if (!configured.isEmpty())
        return configured;
    const QString installed = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    return QFileInfo(installed).isExecutable()
               ? installed
               : QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// The resident set of the process group, in MiB, summed over its processes.
double groupMemory(qint64 group)
{
    if (group <= 0)
        return 0.0;
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    double bytes = 0.0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime
        // stime cutime cstime priority nice threads itrealvalue starttime vsize rss ..."
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 21 && fields[2].toLongLong() == group && fields[0] != "Z")
            bytes += double(fields[21].toLongLong()) * double(pageBytes);
    }
    return bytes / (1024.0 * 1024.0);
}

// The resident set, in MiB, of the processes whose command line holds `part`.
double commandMemory(const QByteArray& part)
{
    double kib = 0.0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(entry));
        QFile status(QStringLiteral("/proc/%1/status").arg(entry));
        if (!command.open(QIODevice::ReadOnly) || !command.readAll().contains(part) ||
            !status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                kib += line.mid(6).trimmed().split(' ').value(0).toDouble();
        }
    }
    return kib / 1024.0;
}

// Lets the event loop run for the time given: the user choosing a file name.
void pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Figures {
    std::vector<double> cold;
    std::vector<double> warm;
    std::vector<double> anchor;
    std::vector<double> recorded; // the anchor with the version recorded in its profile
};

class Bench {
public:
    Bench(const QString& page, int runs) : m_page(page), m_runs(runs) {}

    // The office's life through the browser's session.
    int life()
    {
        if (!m_dir.isValid() || !QDir().mkpath(m_dir.filePath(QStringLiteral("out"))))
            return fail("cannot write the bench's files");
        OfficeSession session(m_dir.filePath(QStringLiteral("profile-life")));
        constexpr int kChoosingMs = 1500;
        const auto exportOnce = [&](int n) {
            OfficeJob::Request r;
            r.kind = OfficeJob::Kind::Writer;
            r.templatePath =
                QCoreApplication::applicationDirPath() + QStringLiteral("/Data/TemplateH.Doc");
            r.html = m_page;
            r.target = m_dir.filePath(QStringLiteral("out/life-%1.doc").arg(n));
            QElapsedTimer timer;
            timer.start();
            const OfficeJob::Result result = session.run(r);
            if (!result.ok)
                std::fprintf(stderr, "export failed: %s\n", qPrintable(result.error));
            return result.ok ? double(timer.nsecsElapsed()) / 1e9 : -1.0;
        };
        // The profile is made once before counting.
        if (exportOnce(0) < 0)
            return fail("the first export failed");
        session.quit();

        std::vector<double> ahead;
        std::vector<double> warm;
        std::vector<double> cold;
        for (int round = 0; round < m_runs; ++round) {
            session.warmUp(); // the export menu opens
            pause(kChoosingMs);
            const double first = exportOnce(1);
            const double again = exportOnce(2);
            session.quit();
            const double noMenu = exportOnce(3);
            session.quit();
            if (first < 0 || again < 0 || noMenu < 0)
                return fail("an export failed");
            ahead.push_back(first);
            warm.push_back(again);
            cold.push_back(noMenu);
        }

        // The resident office, then its end for want of exports.
        constexpr std::chrono::milliseconds kIdle{3000};
        session.setIdleTime(kIdle);
        if (exportOnce(4) < 0)
            return fail("an export failed");
        const qint64 office = session.officePid();
        const double resident = groupMemory(office);
        const double keeper =
            commandMemory(QByteArray("--keep") + '\0' + QFile::encodeName(session.profile()));
        QElapsedTimer idle;
        idle.start();
        while (session.keeping() && idle.elapsed() < 60'000)
            pause(50);
        pause(500);
        const double after = groupMemory(office);

        const double a = median(ahead);
        const double w = median(warm);
        std::printf("office_bench --life: %d runs, page of %lld bytes, medians in seconds\n",
                    m_runs, static_cast<long long>(m_page.toUtf8().size()));
        std::printf("first export after opening the menu, name chosen in %.1f s: %.3f\n",
                    kChoosingMs / 1000.0, a);
        std::printf("warm export in the same run (anchor):                   %.3f\n", w);
        std::printf("first export without the menu (cold):                  %.3f\n", median(cold));
        std::printf("first/warm: %.2f  target first <= warm * 1.1: %s\n", a / w,
                    a <= w * 1.1 ? "met" : "MISSED");
        std::printf("resident office (process group %lld): %.1f MiB; %.1f s after the last "
                    "export, idle time %.1f s: %.1f MiB, keeper %s\n",
                    static_cast<long long>(office), resident, double(idle.elapsed()) / 1000.0,
                    double(kIdle.count()) / 1000.0, after,
                    session.keeping() ? "still running" : "ended");
        std::printf("the keeper beside the resident office: %.1f MiB\n", keeper);
        return a <= w * 1.1 && after == 0.0 ? 0 : 1;
    }

    int run()
    {
        if (!m_dir.isValid() || !writeInputs())
            return fail("cannot write the bench's files");
        const std::vector<Kind> kinds = {
            {"writer", OfficeJob::Kind::Writer, "doc", "doc:MS Word 97", nullptr, false},
            {"calc", OfficeJob::Kind::Calc, "xls", "xls:MS Excel 97", "HTML (StarCalc)", false},
            {"pdf", OfficeJob::Kind::Pdf, "pdf", "pdf", nullptr, false},
            {"impress", OfficeJob::Kind::Impress, "ppt", "doc:MS Word 97", nullptr, true},
        };

        // Both profiles are made once before counting; the time a new profile costs is shown.
        QElapsedTimer newProfile;
        newProfile.start();
        if (export_(kinds[0], 0) < 0)
            return fail("the first export failed");
        const double firstExport = double(newProfile.elapsed()) / 1000.0;
        quit();
        if (convert(kinds[0], kAnchorProfile) < 0 || convert(kinds[0], kRecordedProfile) < 0 ||
            !recordVersion())
            return fail("soffice --convert-to failed");

        std::vector<Figures> figures(kinds.size());
        for (int round = 0; round < m_runs; ++round) {
            for (size_t k = 0; k < kinds.size(); ++k) {
                quit();
                const double cold = export_(kinds[k], round);
                const double warm = export_(kinds[k], round);
                const double anchor = convert(kinds[k], kAnchorProfile);
                const double recorded = convert(kinds[k], kRecordedProfile);
                if (cold < 0 || warm < 0 || anchor < 0 || recorded < 0)
                    return fail("an export or a conversion failed");
                figures[k].cold.push_back(cold);
                figures[k].warm.push_back(warm);
                figures[k].anchor.push_back(anchor);
                figures[k].recorded.push_back(recorded);
            }
        }
        quit();

        std::printf("office_bench: %d runs, page of %lld bytes, medians in seconds\n", m_runs,
                    static_cast<long long>(m_page.toUtf8().size()));
        std::printf("first export with a new profile: %.3f s\n\n", firstExport);
        std::printf("%-8s %8s %8s %8s %11s %11s  %-7s %9s %12s\n", "kind", "cold", "warm", "anchor",
                    "cold/anchor", "warm/anchor", "targets", "anchor*", "cold/anchor*");
        bool met = true;
        for (size_t k = 0; k < kinds.size(); ++k) {
            const double cold = median(figures[k].cold);
            const double warm = median(figures[k].warm);
            const double anchor = median(figures[k].anchor);
            const double recorded = median(figures[k].recorded);
            const bool ok = cold <= anchor && warm <= anchor / 2;
            met = met && ok;
            std::printf("%-8s %8.3f %8.3f %8.3f %11.2f %11.2f  %-7s %9.3f %12.2f\n", kinds[k].name,
                        cold, warm, anchor, cold / anchor, warm / anchor, ok ? "met" : "MISSED",
                        recorded, cold / recorded);
        }
        std::printf("\ntargets: cold <= anchor, warm <= anchor / 2\n"
                    "anchor:  soffice --headless --convert-to of the page (presentation: the "
                    "one-picture page to .doc)\n"
                    "anchor*: the same, its profile with the office's version recorded as the "
                    "helper records it\n");
        return met ? 0 : 1;
    }

private:
    bool writeInputs()
    {
        QImage picture(1280, 800, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
        QFile page(m_dir.filePath(QStringLiteral("page.html")));
        QFile picturePage(m_dir.filePath(QStringLiteral("picture.html")));
        return picture.save(m_dir.filePath(QStringLiteral("screen.png")), "PNG") &&
               page.open(QIODevice::WriteOnly) && page.write(m_page.toUtf8()) >= 0 &&
               picturePage.open(QIODevice::WriteOnly) &&
               picturePage.write("<html><body><img src=\"screen.png\"></body></html>") >= 0 &&
               QDir().mkpath(m_dir.filePath(QStringLiteral("out")));
    }

    // Seconds, or -1 when the export failed.
    double export_(const Kind& kind, int round)
    {
        OfficeJob::Request r;
        r.kind = kind.kind;
        r.templatePath =
            QCoreApplication::applicationDirPath() + QStringLiteral("/Data/TemplateH.Doc");
        if (kind.kind == OfficeJob::Kind::Calc)
            r.templatePath.clear();
        r.html = m_page;
        r.text = QStringLiteral("Contacts");
        r.image = m_dir.filePath(QStringLiteral("screen.png"));
        // A new presentation every round, so that each run adds the first slide.
        r.target = m_dir.filePath(
            QStringLiteral("out/export-%1.%2").arg(round).arg(QLatin1String(kind.extension)));
        if (kind.kind == OfficeJob::Kind::Impress)
            QFile::remove(r.target);
        r.profile = m_dir.filePath(QStringLiteral("profile"));
        r.keepOffice = true;
        return timed(r);
    }

    void quit()
    {
        OfficeJob::Request r;
        r.kind = OfficeJob::Kind::Quit;
        r.profile = m_dir.filePath(QStringLiteral("profile"));
        timed(r);
    }

    double timed(const OfficeJob::Request& r)
    {
        OfficeJob job;
        QEventLoop loop;
        bool finished = false;
        bool ok = false;
        QString error;
        QObject::connect(&job, &OfficeJob::finished, &loop, [&](const OfficeJob::Result& result) {
            finished = true;
            ok = result.ok;
            error = result.error;
            loop.quit();
        });
        QElapsedTimer timer;
        timer.start();
        job.start(r);
        if (!finished)
            loop.exec();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        if (!ok)
            std::fprintf(stderr, "export failed: %s\n", qPrintable(error));
        return ok ? seconds : -1.0;
    }

    // Copies the helper's record of the office's version into the second anchor's profile.
    bool recordVersion()
    {
        const auto modifications = [this](const char* profile) {
            return m_dir.filePath(QLatin1String(profile) +
                                  QStringLiteral("/user/registrymodifications.xcu"));
        };
        QFile helper(modifications("profile"));
        QFile anchor(modifications(kRecordedProfile));
        if (!helper.open(QIODevice::ReadOnly) || !anchor.open(QIODevice::ReadOnly))
            return false;
        QByteArray record;
        for (const QByteArray& line : helper.readAll().split('\n')) {
            if (line.contains("ooSetupLastVersion"))
                record = line;
        }
        QByteArray settings = anchor.readAll();
        anchor.close();
        const qsizetype end = settings.lastIndexOf("</oor:items>");
        if (record.isEmpty() || end < 0)
            return false;
        settings.insert(end, record + '\n');
        return anchor.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               anchor.write(settings) == settings.size();
    }

    double convert(const Kind& kind, const char* profileName)
    {
        const QString profile = QUrl::fromLocalFile(m_dir.filePath(QLatin1String(profileName)))
                                    .toString(QUrl::FullyEncoded);
        QStringList arguments = {QStringLiteral("-env:UserInstallation=") + profile,
                                 QStringLiteral("--headless")};
        if (kind.anchorFilter)
            arguments += QStringLiteral("--infilter=") + QLatin1String(kind.anchorFilter);
        arguments += {QStringLiteral("--convert-to"), QLatin1String(kind.anchorFormat),
                      QStringLiteral("--outdir"), m_dir.filePath(QStringLiteral("anchor")),
                      m_dir.filePath(kind.picturePage ? QStringLiteral("picture.html")
                                                      : QStringLiteral("page.html"))};
        QProcess soffice;
        soffice.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer timer;
        timer.start();
        soffice.start(sofficePath(), arguments);
        const bool ended = soffice.waitForFinished(600'000);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const QByteArray said = soffice.readAll();
        if (!ended || soffice.exitCode() != 0 || said.contains("Error")) {
            std::fprintf(stderr, "soffice %s: %s\n", qPrintable(arguments.join(u' ')),
                         said.constData());
            return -1.0;
        }
        return seconds;
    }

    static int fail(const char* what)
    {
        std::fprintf(stderr, "office_bench: %s\n", what);
        return 2;
    }

    QTemporaryDir m_dir;
    QString m_page;
    int m_runs;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    int runs = 5;
    QString page = defaultPage();
    const bool lifeOnly = args.contains(QLatin1String("--life"));
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--life") {
            --i;
            continue;
        }
        if (args[i] == u"--runs") {
            runs = std::max(1, args[i + 1].toInt());
        } else if (args[i] == u"--page") {
            QFile file(args[i + 1]);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(args[i + 1]));
                return 2;
            }
            page = QString::fromUtf8(file.readAll());
        }
    }
    if (lifeOnly)
        return Bench(page, runs).life();
    const int converted = Bench(page, runs).run();
    std::printf("\n");
    const int life = Bench(page, runs).life();
    return std::max(converted, life);
}
