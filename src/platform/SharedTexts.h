#pragma once
// Equal texts of one column of a large grid share one string instead of each keeping a copy:
// dates, names and amounts repeat from row to row. A column whose texts seldom repeat stops
// being looked up after its first thousand texts, so it costs next to nothing.

#include <QSet>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bw {

// Whether looking up a column's texts still pays: it stops after a trial of a thousand
// texts of which fewer than a quarter were repeats.
class RepeatTrial {
public:
    bool On() const { return on_; }
    // Counts one look-up; false once the trial has shown that repeats are too few.
    bool Count(bool found) {
        ++looked_;
        if (found) ++found_;
        if (looked_ >= kTrial && found_ * 4 < looked_) on_ = false;
        return on_;
    }

private:
    static constexpr int kTrial = 1000;
    int looked_ = 0;
    int found_ = 0;
    bool on_ = true;
};

inline constexpr qsizetype kMostSharedTexts = 4096;

class SharedTexts {
public:
    // The text itself, or an equal one handed out before (sharing its characters).
    QString Share(QString text) {
        if (!trial_.On() || text.isEmpty()) return text;
        if (const auto it = seen_.constFind(text); it != seen_.constEnd()) {
            trial_.Count(true);
            return *it;
        }
        if (!trial_.Count(false))
            seen_.clear();
        else if (seen_.size() < kMostSharedTexts)
            seen_.insert(text);
        return text;
    }

private:
    RepeatTrial trial_;
    QSet<QString> seen_;
};

// The same for texts made from stored values: a value seen before gives the text made of it
// then, without making it again. The key holds the value as stored; equal keys must make
// equal texts.
class TextsByValue {
public:
    // `key(std::string&)` writes the value's key; `make()` makes its text. The key is asked
    // only while the column's values are still looked up.
    template <class Key, class Make>
    QString Text(const Key& key, const Make& make) {
        if (!trial_.On()) return make();
        key(key_);
        if (const auto it = seen_.find(std::string_view(key_)); it != seen_.end()) {
            trial_.Count(true);
            return it->second;
        }
        QString text = make();
        if (!trial_.Count(false))
            seen_.clear();
        else if (static_cast<qsizetype>(seen_.size()) < kMostSharedTexts)
            seen_.emplace(key_, text);
        return text;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    RepeatTrial trial_;
    std::string key_;  // kept to reuse its room
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> seen_;
};

}  // namespace bw
