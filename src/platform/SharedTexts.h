#pragma once
// Equal texts of one column of a large grid share one string instead of each keeping a copy:
// dates, names and amounts repeat from row to row. A column whose texts seldom repeat stops
// being looked up after its first thousand texts, so it costs next to nothing.

#include <QSet>
#include <QString>

namespace bw {

class SharedTexts {
public:
    // The text itself, or an equal one handed out before (sharing its characters).
    QString Share(QString text) {
        if (!on_ || text.isEmpty()) return text;
        ++looked_;
        if (const auto it = seen_.constFind(text); it != seen_.constEnd()) {
            ++found_;
            return *it;
        }
        if (looked_ >= kTrial && found_ * 4 < looked_) {  // few repeats: not worth the lookups
            on_ = false;
            seen_.clear();
        } else if (seen_.size() < kMostKept) {
            seen_.insert(text);
        }
        return text;
    }

private:
    static constexpr int kTrial = 1000;
    static constexpr qsizetype kMostKept = 4096;
    QSet<QString> seen_;
    int looked_ = 0;
    int found_ = 0;
    bool on_ = true;
};

}  // namespace bw
