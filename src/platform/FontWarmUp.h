#pragma once
// The first measurement of text in a process loads the font configuration and the fonts it
// needs, which takes a good while. A FontWarmUp does that on a thread of its own while the
// caller goes on with other work (reading the records a grid will show, say), so that the
// measuring that follows finds it done.

#include <QFont>
#include <thread>

namespace bw {

class FontWarmUp {
public:
    // Starts measuring some Latin, digits and Chinese in `font` on a thread of its own; nothing
    // when this process has done so for that font already.
    explicit FontWarmUp(const QFont& font);
    // Waits for the thread to end.
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace bw
