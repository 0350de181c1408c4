// What the benchmarks do to the program: bring up the main window as early start-up would, drop files on
// its drop areas with real Qt drag events, read what its widgets show, and watch the progress wheel paint.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "ui/main/MainWIndow.h"

namespace corvantil::bench {

using Clock = std::chrono::steady_clock;

inline constexpr const char* kIdentical = "These files are identical";

// The offscreen platform warns on each window raised, which it cannot do: "This plugin does not support
// raise()". QuietOffscreenNotices drops that notice, and only it, from this process's Qt messages;
// IsOffscreenNotice tells a line of it in a child's standard error.
void QuietOffscreenNotices();
bool IsOffscreenNotice(std::string_view line);

// The framework and what early start-up gives the main window: plug-ins, entry points, "special/any".
void PrepareFramework();
// A real drag of the file (or folder) at `path` entering, moving over and dropped on the side's area.
bool DropPath(const MainWIndow& window, int side, const std::string& path);
std::string ResultText(const MainWIndow& window);
QWidget* TopLevel(const MainWIndow& window);
QWidget* WheelWidget(const MainWIndow& window);

// Records when the wheel's widget is painted, shown and hidden.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* wheel);
    ~PaintWatch() override;
    // The longest time the wheel went unpainted while it was shown: between its showing and its first
    // paint, and between two paints, over every showing since the last Reset.
    std::chrono::nanoseconds LongestGap() const;
    std::uint64_t Paints() const { return paints_; }
    void Reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> wheel_;  // the window may go first
    bool shown_ = false;
    Clock::time_point last_{};
    std::chrono::nanoseconds longest_{0};
    std::uint64_t paints_ = 0;
};

}  // namespace corvantil::bench
