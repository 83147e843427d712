#pragma once

// A BDF font as FreeType's own BDF driver reads it: the independent reader
// the BDF tests hold our import and export against.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvik::test {

struct FreeTypeGlyph {
    int advance = 0; // pixels
    int left = 0;    // bitmap's left edge from the origin
    int top = 0;     // bitmap's top row above the baseline
    int width = 0;
    int rows = 0;
    std::vector<bool> ink; // rows * width, row by row

    bool inkAt(int column, int row) const {
        return ink[static_cast<std::size_t>(row * width + column)];
    }
};

class FreeTypeBdfFont {
public:
    // The font at `path`, or nothing with the reason in `error`.
    static std::unique_ptr<FreeTypeBdfFont> open(const std::string& path, std::string& error);
    ~FreeTypeBdfFont();

    std::string driverName() const;
    std::string charsetRegistry() const; // CHARSET_REGISTRY as FreeType reports it
    int ascent() const;                  // pixels above the baseline
    int descent() const;                 // pixels below it
    // Every character code of the font's one charmap (ENCODING values).
    std::vector<unsigned long> charCodes() const;
    // The glyph of an ENCODING value, or nothing when the font has none.
    std::optional<FreeTypeGlyph> glyph(unsigned long charCode) const;

private:
    struct Handles;
    explicit FreeTypeBdfFont(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> handles_;
};

} // namespace zelvik::test
