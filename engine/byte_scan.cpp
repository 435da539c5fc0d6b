#include "byte_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Both searches look at sixteen bytes at a time where the processor has
// SSE2 (every x86-64 does), and at one byte at a time elsewhere.

std::size_t FindLineEnd(std::string_view text, std::size_t from)
{
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i returns = _mm_set1_epi8('\r');
    const __m128i feeds = _mm_set1_epi8('\n');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const auto ends = static_cast<std::uint32_t>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, returns), _mm_cmpeq_epi8(bytes, feeds))));
        if (ends != 0)
            return i + static_cast<std::size_t>(std::countr_zero(ends));
    }
#endif
    for (; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return i;
    }
    return std::string_view::npos;
}

std::size_t FindSpaceRun(std::string_view text, std::size_t from)
{
    std::size_t i = from;
    bool previousSpace = false; // the byte before i, once the search has passed it
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi8(' ');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const auto spaces
            = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space)));
        // Bit k for byte i + k: a run starts at the last byte of the block
        // before, or at a space whose next byte is a space as well.
        if (previousSpace && (spaces & 1U) != 0)
            return i - 1;
        const std::uint32_t pairs = spaces & (spaces >> 1);
        if (pairs != 0)
            return i + static_cast<std::size_t>(std::countr_zero(pairs));
        previousSpace = (spaces & 0x8000U) != 0;
    }
#endif
    for (; i < text.size(); ++i) {
        const bool isSpace = text[i] == ' ';
        if (isSpace && previousSpace)
            return i - 1;
        previousSpace = isSpace;
    }
    return std::string_view::npos;
}

std::string CollapseSpaceRuns(std::string_view text)
{
    std::string result(text.size(), '\0');
    result.resize(CollapseSpaceRunsInto(text, result.data()));
    return result;
}

std::size_t CollapseSpaceRunsInto(std::string_view text, char* const start)
{
    // Every span is stored as one whole block, whatever its length. That
    // never passes the text's length: out is never further along than the
    // input, and a block is stored only where sixteen input bytes remain.
    char* out = start;
    const char* in = text.data();
    std::size_t i = 0;
    bool previousSpace = false;
#if defined(__SSE2__)
    // The count bytes at from, in one load and one store where sixteen bytes
    // can be read there.
    const auto copySpan = [&](std::size_t from, std::size_t count) {
        if (from + 16 <= text.size())
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + from)));
        else
            std::memcpy(out, in + from, count);
        out += count;
    };
    const __m128i space = _mm_set1_epi8(' ');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const auto spaces
            = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space)));
        // Bit k: byte i + k is a space that follows a space, and goes.
        std::uint32_t dropped = spaces & ((spaces << 1) | (previousSpace ? 1U : 0U));
        previousSpace = (spaces & 0x8000U) != 0;
        if (dropped == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
            out += 16;
            continue;
        }
        // The bytes between the dropped ones are copied a span at a time.
        std::size_t kept = 0;
        while (dropped != 0) {
            const auto drop = static_cast<std::size_t>(std::countr_zero(dropped));
            copySpan(i + kept, drop - kept);
            kept = drop + 1;
            dropped &= dropped - 1;
        }
        copySpan(i + kept, 16 - kept);
    }
#endif
    for (; i < text.size(); ++i) {
        const bool isSpace = in[i] == ' ';
        if (!(isSpace && previousSpace))
            *out++ = in[i];
        previousSpace = isSpace;
    }
    return static_cast<std::size_t>(out - start);
}
