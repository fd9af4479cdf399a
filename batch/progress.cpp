#include "batch/progress.h"

#include <cstdio>
#include <unistd.h>

namespace kf::batch {

namespace {
constexpr int kLiveMs = 100;
constexpr int kPlainMs = 1000;
} // namespace

Progress::Progress() : terminal_(isatty(fileno(stderr))) {}

Progress::~Progress() {
    finish();
}

void Progress::setCaption(const QString &caption) {
    caption_ = caption;
    show(false);
}

void Progress::showRun(int done, int total) {
    done_ = done;
    total_ = total;
    show(false);
}

void Progress::hideRuns() {
    total_ = 0;
}

void Progress::showEndLine(const QString &line) {
    if (line.isEmpty())
        return;
    endLines_.append(line);
    finish();
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void Progress::show(bool now) {
    QString text = caption_.trimmed();
    if (text.isEmpty())
        return; // the runs' progress goes with what their caption says
    if (total_ > 0)
        text = QStringLiteral("[%1/%2] ").arg(done_).arg(total_) + text;
    if (text.isEmpty() || text == shown_)
        return;
    if (!now && lastShown_.isValid() && lastShown_.elapsed() < (terminal_ ? kLiveMs : kPlainMs))
        return;
    shown_ = text;
    lastShown_.start();
    const QByteArray bytes = text.toLocal8Bit();
    if (terminal_) {
        std::fprintf(stderr, "\r\033[K%s", bytes.constData());
        liveLine_ = true;
    } else {
        std::fprintf(stderr, "%s\n", bytes.constData());
    }
    std::fflush(stderr);
}

void Progress::finish() {
    if (!liveLine_)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    liveLine_ = false;
}

} // namespace kf::batch
