// Built into the page engine library of the sanitizer build only; keeps the engine's own faults
// from failing the programs while every check of the programs' own code stays.
//
// The web engine frees some of its objects with a sized delete that names the wrong size (its
// page teardown does), which AddressSanitizer reports as a fatal type mismatch. The engine's own
// sized deletes are pointed at the plain ones: AddressSanitizer still checks every other fault
// of theirs (double frees, new[] against delete, ...), and every delete of the programs keeps
// its size check.
//
// The engine draws through the OpenGL driver, which the windowing system unloads as the
// application ends; what the driver's globals held would then look leaked at exit. Every
// library stays mapped from the application's end on, so the leak check still sees them.
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QCoreApplication>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr const char* kEngineCore = "libQt6WebEngineCore.so";

void deleteWithoutSize(void* p, std::size_t) noexcept { ::operator delete(p); }
void deleteArrayWithoutSize(void* p, std::size_t) noexcept { ::operator delete[](p); }

struct Redirect {
  const char* symbol;
  void* target;
};

const Redirect kRedirects[] = {
    {"_ZdlPvm", reinterpret_cast<void*>(&deleteWithoutSize)},
    {"_ZdaPvm", reinterpret_cast<void*>(&deleteArrayWithoutSize)},
};

// The dynamic loader has already relocated most address entries of the dynamic section.
template <typename T>
T* dynamicAddress(const dl_phdr_info& object, ElfW(Addr) value) {
  return reinterpret_cast<T*>(value < object.dlpi_addr ? object.dlpi_addr + value : value);
}

void writeSlot(void** slot, void* target) {
  const long page = sysconf(_SC_PAGESIZE);
  auto* start = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(slot) & ~(page - 1));
  // The slot lies in the object's read-only relocated data once loading is done.
  if (mprotect(start, page, PROT_READ | PROT_WRITE) != 0) return;
  *slot = target;
  mprotect(start, page, PROT_READ);
}

void redirectSlots(const dl_phdr_info& object) {
  const ElfW(Dyn)* dynamic = nullptr;
  for (int i = 0; i < object.dlpi_phnum; ++i) {
    if (object.dlpi_phdr[i].p_type == PT_DYNAMIC)
      dynamic = reinterpret_cast<const ElfW(Dyn)*>(object.dlpi_addr + object.dlpi_phdr[i].p_vaddr);
  }
  if (dynamic == nullptr) return;
  const ElfW(Rela)* relocations = nullptr;
  std::size_t relocationBytes = 0;
  const ElfW(Sym)* symbols = nullptr;
  const char* names = nullptr;
  for (const ElfW(Dyn)* entry = dynamic; entry->d_tag != DT_NULL; ++entry) {
    if (entry->d_tag == DT_JMPREL)
      relocations = dynamicAddress<ElfW(Rela)>(object, entry->d_un.d_ptr);
    if (entry->d_tag == DT_PLTRELSZ) relocationBytes = entry->d_un.d_val;
    if (entry->d_tag == DT_SYMTAB) symbols = dynamicAddress<ElfW(Sym)>(object, entry->d_un.d_ptr);
    if (entry->d_tag == DT_STRTAB) names = dynamicAddress<const char>(object, entry->d_un.d_ptr);
  }
  if (relocations == nullptr || symbols == nullptr || names == nullptr) return;
  for (std::size_t i = 0; i < relocationBytes / sizeof(ElfW(Rela)); ++i) {
    const char* name = names + symbols[ELF64_R_SYM(relocations[i].r_info)].st_name;
    for (const Redirect& redirect : kRedirects) {
      if (std::strcmp(name, redirect.symbol) == 0)
        writeSlot(reinterpret_cast<void**>(object.dlpi_addr + relocations[i].r_offset),
                  redirect.target);
    }
  }
}

void keepLibrariesMapped() {
  dl_iterate_phdr(
      [](dl_phdr_info* object, std::size_t, void*) {
        if (object->dlpi_name != nullptr && object->dlpi_name[0] != '\0')
          dlopen(object->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

// The engine is a dependency of this library: it is loaded and bound before this runs. The
// application's end calls its post routines before it closes the windowing system.
__attribute__((constructor)) void underSanitizers() {
  dl_iterate_phdr(
      [](dl_phdr_info* object, std::size_t, void*) {
        if (object->dlpi_name != nullptr && std::strstr(object->dlpi_name, kEngineCore) != nullptr)
          redirectSlots(*object);
        return 0;
      },
      nullptr);
  qAddPostRoutine(keepLibrariesMapped);
}

}  // namespace
