#include "support/simple_mdl_tree.h"

#include <cmath>
#include <cstdlib>

namespace testing_support {

namespace {

class TreeParser {
  public:
    explicit TreeParser(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
    }

    std::optional<MdlTree> parse(std::string* error) {
        auto tree = statements(true);
        if (!failure_.empty()) {
            if (error)
                *error = failure_;
            return std::nullopt;
        }
        return tree;
    }

  private:
    void skipBlanksAndComments() {
        for (;;) {
            while (at_ < text_.size() &&
                   std::string_view(" \t\r\n\v\f").find(text_[at_]) != std::string_view::npos)
                ++at_;
            if (text_.substr(at_, 2) != "//")
                return;
            while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r')
                ++at_;
        }
    }

    std::string atom() {
        const auto start = at_;
        if (text_[at_] == '"') {
            const auto close = text_.find('"', at_ + 1);
            at_ = close == std::string_view::npos ? text_.size() : close + 1;
        } else if (text_[at_] == ':') {
            ++at_;
        } else {
            while (at_ < text_.size() &&
                   std::string_view(" \t\r\n\v\f{},:\"").find(text_[at_]) ==
                       std::string_view::npos &&
                   text_.substr(at_, 2) != "//")
                ++at_;
        }
        return std::string(text_.substr(start, at_ - start));
    }

    MdlTree statements(bool topLevel) {
        MdlTree list;
        MdlStatement current;
        const auto finish = [&] {
            if (!current.atoms.empty())
                list.push_back(std::move(current));
            current = {};
        };
        for (;;) {
            skipBlanksAndComments();
            if (at_ >= text_.size()) {
                if (!topLevel)
                    failure_ = "the text ends inside a block";
                finish();
                return list;
            }
            const char c = text_[at_];
            if (c == '}') {
                ++at_;
                if (topLevel) {
                    failure_ = "a } closes nothing";
                    return list;
                }
                finish();
                return list;
            }
            if (c == ',') {
                ++at_;
                finish();
            } else if (c == '{') {
                ++at_;
                current.atoms.push_back("{");
                current.groups.push_back(statements(false));
                if (!failure_.empty())
                    return list;
            } else {
                current.atoms.push_back(atom());
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string failure_;
};

std::optional<double> numberOf(const std::string& atom) {
    if (atom.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(atom.c_str(), &end);
    if (end != atom.c_str() + atom.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool sameAtom(const std::string& first, const std::string& second) {
    if (first == second)
        return true;
    const auto a = numberOf(first), b = numberOf(second);
    return a && b && std::abs(*a - *b) <= 1e-6 * std::max(1.0, std::abs(*a));
}

bool sameList(const MdlTree& first, const MdlTree& second, std::string* where,
              const std::string& path) {
    if (first.size() != second.size()) {
        if (where)
            *where = path + ": " + std::to_string(first.size()) + " against " +
                     std::to_string(second.size()) + " statements";
        return false;
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        const auto& a = first[i];
        const auto& b = second[i];
        const auto here =
            path + "/" + (a.atoms.empty() ? "" : a.atoms[0]) + "#" + std::to_string(i);
        if (a.atoms.size() != b.atoms.size() || a.groups.size() != b.groups.size()) {
            if (where)
                *where = here + ": the statements differ in length";
            return false;
        }
        for (std::size_t k = 0; k < a.atoms.size(); ++k)
            if (!sameAtom(a.atoms[k], b.atoms[k])) {
                if (where)
                    *where = here + ": " + a.atoms[k] + " against " + b.atoms[k];
                return false;
            }
        for (std::size_t g = 0; g < a.groups.size(); ++g)
            if (!sameList(a.groups[g], b.groups[g], where, here))
                return false;
    }
    return true;
}

} // namespace

std::optional<MdlTree> parseMdlTree(std::string_view text, std::string* error) {
    return TreeParser(text).parse(error);
}

bool sameMdlTree(const MdlTree& first, const MdlTree& second, std::string* where) {
    return sameList(first, second, where, "");
}

} // namespace testing_support
