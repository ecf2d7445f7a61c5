#include "spell/store/SuggestionWalk.h"

#include <utility>

namespace {

bool RunPass(const String& word, TEditPass pass, const TSuggestionWalk& walk) {
    const std::size_t len = word.size();
    const auto offer = [&](const String& w) { return walk.Candidate(w, pass); };
    switch (pass) {
    case TEditPass::CaseToggle:
        for (std::size_t i = 0; i < len; ++i) {
            String w = word;
            const char c = w[i];
            if (c >= 'a' && c <= 'z') w[i] = static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z') w[i] = static_cast<char>(c - 'A' + 'a');
            else continue;
            if (!offer(w)) return false;
        }
        return true;
    case TEditPass::AdjacentSwap:
        for (std::size_t i = 0; i + 1 < len; ++i) {
            String w = word;
            std::swap(w[i], w[i + 1]);
            if (!offer(w)) return false;
        }
        return true;
    case TEditPass::Deletion:
        for (std::size_t i = 0; i < len; ++i) {
            String w = word;
            w.erase(i, 1);
            if (!offer(w)) return false;
        }
        return true;
    case TEditPass::Insertion:
        for (std::size_t i = 1; i <= len; ++i) {
            if (walk.Step && !walk.Step(pass, false)) return false;
            for (char letter : walk.Letters) {
                String w = word;
                w.insert(i, 1, letter);
                if (!offer(w)) return false;
            }
        }
        return true;
    case TEditPass::Replacement:
        for (std::size_t i = 0; i < len; ++i)
            for (char letter : walk.Letters) {
                String w = word;
                w[i] = letter;
                if (!offer(w)) return false;
            }
        return true;
    case TEditPass::SwapOverOne:
        for (std::size_t i = 0; i + 2 < len; ++i) {
            String w = word;
            std::swap(w[i], w[i + 2]);
            if (!offer(w)) return false;
        }
        return true;
    case TEditPass::DoubleDeletion:
        for (std::size_t i = 0; i < len; ++i) {
            String once = word;
            once.erase(i, 1);
            for (std::size_t j = 0; j < once.size(); ++j) {
                String w = once;
                w.erase(j, 1);
                if (!offer(w)) return false;
            }
        }
        return true;
    case TEditPass::Split:
        for (std::size_t k = 2; k + 2 <= len; ++k) {
            const String head = word.substr(0, k);
            const String tail = word.substr(k);
            if (walk.IsWord && walk.IsWord(head) && walk.IsWord(tail))
                if (!offer(head + " " + tail)) return false;
        }
        return true;
    }
    return true;
}

// The shortest word each pass has anything to try on.
std::size_t ShortestFor(TEditPass pass) {
    switch (pass) {
    case TEditPass::SwapOverOne: return 3;
    case TEditPass::DoubleDeletion: return 5;
    case TEditPass::Split: return 4;
    default: return 0;
    }
}

}  // namespace

bool WalkSuggestions(const String& word, const std::vector<TEditPass>& passes, const TSuggestionWalk& walk) {
    for (const TEditPass pass : passes) {
        if (word.size() < ShortestFor(pass)) continue;
        if (!RunPass(word, pass, walk)) return false;
        if (walk.Step && !walk.Step(pass, true)) return false;
    }
    return true;
}
