#include "test_pictures.h"

std::string PpmPicture(int width, int height, const std::function<Color(int x, int y)>& colourAt)
{
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Color colour = colourAt(x, y);
            bytes.push_back(static_cast<char>(colour.red));
            bytes.push_back(static_cast<char>(colour.green));
            bytes.push_back(static_cast<char>(colour.blue));
        }
    }
    return bytes;
}
