#pragma once

#include <cstddef>
#include <string>

namespace torvane {

// The speed-up records, as the records page lists them and "保存" saves them.
class History {
public:
    void Append(const std::wstring& text) { text_ += text; }
    void Clear() { text_.clear(); }
    // In UTF-16 code units, CR and LF one each: what the limit is held against.
    std::size_t Length() const { return text_.size(); }
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

} // namespace torvane
