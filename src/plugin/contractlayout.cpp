// The binary contract with a host that is compiled apart from the plug-in, as
// the compiler lays it out for this processor. The device's host is 32-bit
// ARM; a layout that moves a member or a table slot breaks it silently, so
// every build checks it, whatever its processor.

#include "commmsg.h"
#include "imsp.h"
#include "iservicioscomunes.h"

#include <cstddef>
#include <type_traits>

namespace {
constexpr std::size_t Word = sizeof(void *);
} // namespace

static_assert(sizeof(int) == 4 && sizeof(bool) == 1,
              "the message's fields are 32-bit ints and bytes");
static_assert(sizeof(QByteArray) == Word, "a byte array is one shared pointer");

// CommMsg: the table of virtual functions first, then the members in their
// declared order. On the device: 4, 8, 12, 16, 20, 24 and 32 bytes in all.
static_assert(std::is_polymorphic<CommMsg>::value && !std::has_virtual_destructor<CommMsg>::value,
              "one virtual operation and a plain destructor: no destructor slot");
// offsetof on a class with a table of virtual functions is conditionally
// supported; GCC and Clang support it and warn.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(CommMsg, msgData) == Word, "msgData follows the table pointer");
static_assert(offsetof(CommMsg, linkParam) == 2 * Word, "linkParam");
static_assert(offsetof(CommMsg, expectedAnswer) == 2 * Word + 4, "expectedAnswer");
static_assert(offsetof(CommMsg, linkSwitch) == 2 * Word + 8, "linkSwitch");
static_assert(offsetof(CommMsg, answerTimeoutMs) == 2 * Word + 12, "answerTimeoutMs, 4-aligned");
static_assert(offsetof(CommMsg, linkFlags) == 2 * Word + 16, "linkFlags");
#pragma GCC diagnostic pop
static_assert(sizeof(CommMsg) == 2 * Word + 24, "no member after linkFlags");
static_assert(sizeof(CommMsg::linkFlags) == 8, "eight flags");

// The interfaces hold nothing but their table, so the host finds it at the
// start of the object it is given. Imsp's table begins with its destructor;
// IServiciosComunes has none, so its first slot is its first operation.
static_assert(sizeof(Imsp) == Word && std::has_virtual_destructor<Imsp>::value,
              "Imsp: a table pointer, destructor slots first");
static_assert(sizeof(IServiciosComunes) == Word
                  && !std::has_virtual_destructor<IServiciosComunes>::value,
              "IServiciosComunes: a table pointer, no destructor slot");
