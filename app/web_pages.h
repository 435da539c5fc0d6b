#pragma once

// The product's web host. Varno has no web site of its own yet, so this is a
// host of the reserved documentation domain .example, which resolves nowhere:
// the two web commands open a page that a browser reports as unreachable.
constexpr const char* kProductWebHost = "https://www.varno.example";
