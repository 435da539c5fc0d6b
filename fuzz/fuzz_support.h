#pragma once

#include "exceptions.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

class Application;
class Varno;

// What every fuzzer shares: the application object, a private home,
// preferences and temporary folder,
// the GUI runtime on the offscreen platform, a recording message sink, and
// the rule for exceptions.
//
// The rule: out-of-bounds and nil-object exceptions are how the framework
// reports damaged input, so they may leave the code under test. Any other
// exception is a fault and ends the run with a report, as a crash does.

// Makes the private folders and the runtime, once per process; later calls do
// nothing. Call it from LLVMFuzzerInitialize.
void StartFuzzRuntime();

// Registers app as the application object, with an UnhandledException
// handler that applies the rule above to what reaches it.
void RegisterFuzzApplication(Application& app);

// The one application object of the run, made and registered on first use.
Varno& FuzzApp();

// Forgets what the message sink recorded, so a long run does not pile it up.
void ForgetMessages();
// The message boxes shown since the last ForgetMessages.
const std::vector<std::string>& RecordedMessages();

// Ends the run with a report, the way a crash does (libFuzzer then keeps the
// input that caused it).
[[noreturn]] void FuzzFault(const std::string& what);

// Runs code: true when it returned, false when it raised an out-of-bounds or
// nil-object exception; any other exception is a fault.
template <typename Code> bool RunWithSpecifiedExceptions(Code&& code)
{
    try {
        code();
        return true;
    } catch (const OutOfBoundsException&) {
        return false;
    } catch (const NilObjectException&) {
        return false;
    } catch (const std::exception& error) {
        FuzzFault(std::string("unexpected exception: ") + error.what());
    } catch (...) {
        FuzzFault("unexpected exception of an unknown type");
    }
}

inline std::string AsBytes(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}
