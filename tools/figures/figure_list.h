#pragma once

#include <array>

// The pictures of the resource folder: the figures (CATALOGUE.md) and the two
// answer marks, with the sizes the generator draws them at. Every figure fits
// the figure viewer's canvas whole (604 x 294 at the viewer's opening size),
// so none needs the scroll bars.
struct PictureEntry {
    int number;
    const char* fileName;
    const char* label; // drawn at the top; empty for the answer marks
    int width;
    int height;
};

inline constexpr int kSchematicWidth = 560;
inline constexpr int kSchematicHeight = 280;
inline constexpr int kPlotWidth = 600;
inline constexpr int kPlotHeight = 290;
inline constexpr int kMarkSize = 32;

inline constexpr std::array<PictureEntry, 20> kFigurePictures = { {
    { 1001, "Pic1001.jpg", "Figure T-1", kSchematicWidth, kSchematicHeight },
    { 1002, "Pic1002.gif", "Figure T-2", kSchematicWidth, kSchematicHeight },
    { 1003, "Pic1003.gif", "Figure T-3", kSchematicWidth, kSchematicHeight },
    { 1004, "Pic1004.gif", "Figure G-1", kSchematicWidth, kSchematicHeight },
    { 1005, "Pic1005.gif", "Figure E-1", kPlotWidth, kPlotHeight },
    { 1006, "Pic1006.gif", "Figure E-2", kSchematicWidth, kSchematicHeight },
    { 1007, "Pic1007.gif", "Figure E-3", kSchematicWidth, kSchematicHeight },
    { 1008, "Pic1008.gif", "Figure E-4", kSchematicWidth, kSchematicHeight },
    { 1009, "Pic1009.gif", "Figure E-5", kSchematicWidth, kSchematicHeight },
    { 1010, "Pic1010.gif", "Figure E-6", kSchematicWidth, kSchematicHeight },
    { 1011, "Pic1011.gif", "Figure E-7", kSchematicWidth, kSchematicHeight },
    { 1012, "Pic1012.gif", "Figure E-8", kPlotWidth, kPlotHeight },
    { 1013, "Pic1013.gif", "Figure E-9", kPlotWidth, kPlotHeight },
    { 1014, "Pic1014.gif", "Figure E-10", kPlotWidth, kPlotHeight },
    { 1015, "Pic1015.gif", "Figure C-1", kSchematicWidth, kSchematicHeight },
    { 1016, "Pic1016.gif", "Figure C-2", kSchematicWidth, kSchematicHeight },
    { 1017, "Pic1017.gif", "Figure 17", kSchematicWidth, kSchematicHeight },
    { 1018, "Pic1018.gif", "Figure 18", kSchematicWidth, kSchematicHeight },
    { 1019, "Pic1019.gif", "Figure 19", kSchematicWidth, kSchematicHeight },
    { 1020, "Pic1020.gif", "Figure 20", kSchematicWidth, kSchematicHeight },
} };

inline constexpr std::array<PictureEntry, 2> kMarkPictures = { {
    { 200, "Pic200.gif", "", kMarkSize, kMarkSize }, // correct answer: green check mark
    { 201, "Pic201.gif", "", kMarkSize, kMarkSize }, // wrong choice: red cross
} };
