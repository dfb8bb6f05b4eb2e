// Replaces, for the life of the object, the address this program's own code
// calls for one imported function (its entry in the program's import table).
// The library's code linked into a test program calls the platform through
// that table, so a test can count, watch or fail a platform call the library
// makes, and see what wine does not show: the order in which it releases
// drawing objects, a wait that lasts a timer tick.
#pragma once
#include <windows.h>

#include <cstring>

namespace zt::test {

class ImportPatch {
    using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);

public:
    ImportPatch(const char* dll, const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (!dir.VirtualAddress)
            return;
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
             d->Name; ++d) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0)
                continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
                base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                auto* byName =
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0)
                    continue;
                slot_ = &slots->u1.Function;
                original_ = reinterpret_cast<void*>(*slot_);
                write(reinterpret_cast<Slot>(replacement));
                return;
            }
        }
    }
    ~ImportPatch() {
        if (slot_)
            write(reinterpret_cast<Slot>(original_));
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the program does not import the function from that library.
    bool ok() const { return slot_ != nullptr; }
    // The platform's own function, to call from the replacement.
    template <typename F> F original() const { return reinterpret_cast<F>(original_); }

private:
    void write(Slot value) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
        *slot_ = value;
        VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    Slot* slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace zt::test
