#pragma once

#include "ref.h"

#include <string>

class Picture;

// One accessor per file of the resource folder ("Resources" beside the folder
// that holds the executable). Texts are read whole, as raw bytes, on the first
// call and kept for the run; a failed first read is not tried again. Pictures
// are loaded on first use, tried again while missing, and kept once loaded.
std::string TechFile();
std::string GeneralFile();
std::string ExtraFile();
std::string fccelement1();
std::string fccelement8();
std::string fccelement3();
std::string VarnoDocs();

// Why the file of that name in the resource folder cannot be read, as the end
// of a sentence for the user ("the file is missing from the resource folder
// ..."); "" when it can be opened. Looks at the file as it is now.
std::string ResourceFileProblem(const std::string& fileName);

// A problem with a picture file is told to the user once a run, by whoever
// meets it first: the accessor that refuses the file, or a window that finds
// no picture. True on the first call for a file, false after.
bool FirstTellingAboutPicture(const std::string& fileName);

Ref<Picture> Pic1001();
Ref<Picture> Pic1002();
Ref<Picture> Pic1003();
Ref<Picture> Pic1004();
Ref<Picture> Pic1005();
Ref<Picture> Pic1006();
Ref<Picture> Pic1007();
Ref<Picture> Pic1008();
Ref<Picture> Pic1009();
Ref<Picture> Pic1010();
Ref<Picture> Pic1011();
Ref<Picture> Pic1012();
Ref<Picture> Pic1013();
Ref<Picture> Pic1014();
Ref<Picture> Pic1015();
Ref<Picture> Pic1016();
Ref<Picture> Pic1017();
Ref<Picture> Pic1018();
Ref<Picture> Pic1019();
Ref<Picture> Pic1020();
Ref<Picture> Pic200();
Ref<Picture> Pic201();
