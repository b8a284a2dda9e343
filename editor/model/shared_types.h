#pragma once

#include <cstdint>
#include <string>

// Small types that every layer of the editor shares. This header sits at the bottom: it
// includes nothing of the editor.
namespace editor {

// The button of a mouse event, with the window system's numbers.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// The arrow buttons of a view.
enum class PanDirection { Up, Down, Left, Right };

// Background colours of the tool buttons, as the windows show them.
enum class ButtonColour { ButtonFace, White, LightRed, Grey };

// A mode button is white while its letter is the current mode, button face otherwise.
inline ButtonColour modeButtonColour(const std::string& mode, const char* letter) {
    return mode == letter ? ButtonColour::White : ButtonColour::ButtonFace;
}

// An axis button is button face while its axis is enabled, grey otherwise.
inline ButtonColour axisButtonColour(bool enabled) {
    return enabled ? ButtonColour::ButtonFace : ButtonColour::Grey;
}

// What a command changed, coarsely. Commands record these; whoever ran the command (a window,
// the batch runner) redraws and brings its controls in line once, after the command.
enum class Change : std::uint32_t {
    None = 0,
    Geometry = 1u << 0,  // positions, normals, faces, deleted flags, groups
    Selection = 1u << 1, // selection flags
    Markers = 1u << 2,   // markers
    FrontView = 1u << 3, // zoom, pan or contents of one view
    TopView = 1u << 4,
    LeftView = 1u << 5,
    Opened = 1u << 6,     // an open was begun: box selection waits for the arming interval
    GeosetRead = 1u << 7, // a geoset was read anew: the views fit it
    Structure = 1u << 8,  // the model's geosets were added, removed or reordered
    Materials = 1u << 9,  // the model's materials or textures changed
};

class Changes {
  public:
    constexpr Changes() = default;
    constexpr Changes(Change change) : bits_(static_cast<std::uint32_t>(change)) {}

    constexpr Changes& operator|=(Changes other) {
        bits_ |= other.bits_;
        return *this;
    }
    friend constexpr Changes operator|(Changes a, Changes b) { return a |= b; }
    constexpr bool has(Change change) const {
        return (bits_ & static_cast<std::uint32_t>(change)) != 0;
    }
    constexpr bool any() const { return bits_ != 0; }
    constexpr bool operator==(const Changes&) const = default;

  private:
    std::uint32_t bits_ = 0;
};

constexpr Changes operator|(Change a, Change b) {
    return Changes(a) | Changes(b);
}

// Every view: a change of the model is drawn in all three.
inline constexpr Changes allViews = Change::FrontView | Change::TopView | Change::LeftView;

} // namespace editor
