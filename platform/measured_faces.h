// The faces layouts name, with the average width of their letters as a share of the characters' height:
// the widths the layouts were measured with, to which each desktop back end fits the faces it has.
// Windows' bitmap sans serif at 8 points on a 96-dpi screen (11-pixel characters in 13-pixel cells, dialog
// units of 6 x 13) averages about 5.75 pixels a letter; Arial averages 0.58 of its height.
#pragma once

#include <optional>
#include <string>

#include "framework/text.h"

namespace measured_faces {

struct MeasuredFace {
    const char* name;
    double averageWidth;
};
inline constexpr MeasuredFace kMeasuredFaces[] = {{"MS Sans Serif", 0.523}, {"Arial", 0.5835}};

// The letters whose average width is measured.
inline constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The named face's average letter width as a share of its height, for the faces layouts name.
inline std::optional<double> AverageWidthShare(const std::string& name) {
    for (const MeasuredFace& face : kMeasuredFaces) {
        if (SameText(name, face.name)) return face.averageWidth;
    }
    return std::nullopt;
}

}  // namespace measured_faces
