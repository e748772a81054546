#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

struct AboutLink {
    std::string_view caption;
    std::string_view target;
};

inline constexpr AboutLink webLink{"www.brackwater.example", "https://www.brackwater.example/"};
inline constexpr AboutLink mailLink{"quillmarten@brackwater.example",
                                    "mailto:quillmarten@brackwater.example"};

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t linkBlue = 0x0000FF;
inline constexpr std::uint32_t visitedPurple = 0x800080;

enum class AboutLinkKind : std::uint8_t { web, mail };

class AboutWindowView {
  public:
    virtual ~AboutWindowView() = default;
    virtual void moveTo(int left, int top) = 0;
    virtual void makeTopmost() = 0;
    virtual void setLinkColour(AboutLinkKind link, std::uint32_t rgb) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Hands a link to the shell's default action; whether it opened is not reported.
    virtual void open(std::string_view target) = 0;
};

// The about window: top-left on every load, topmost on every activation, and two links that
// open through the shell and turn purple once visited.
class AboutWindowEvents {
  public:
    AboutWindowEvents(AboutWindowView& window, Shell& shell);

    void onLoad();
    void onActivate();
    void onLinkClick(AboutLinkKind link);

  private:
    AboutWindowView& window_;
    Shell& shell_;
};

} // namespace quillmarten
