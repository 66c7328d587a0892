#include "generate/threemf_export.h"

#if BOLTGEN_HAVE_LIB3MF
#include <locale.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include <Model/COM/NMR_DLLInterfaces.h>

#include "generate/zip_times.h"
#endif

namespace boltgen {

std::string ThreeMfPath(std::string_view script_path) {
  std::string path(script_path.substr(0, script_path.size() >= 4 ? script_path.size() - 4 : 0));
  path += ".3mf";
  return path;
}

#if BOLTGEN_HAVE_LIB3MF

namespace {

// The library's instances, each to be released once.
using Instance = NMR::PLib3MFBase*;
struct Release {
  void operator()(Instance instance) const { NMR::lib3mf_release(instance); }
};
using Handle = std::unique_ptr<NMR::PLib3MFBase, Release>;

// The library writes numbers with the C library's formatting; a window
// toolkit may have switched this thread to a locale with a decimal comma,
// which would make the package unreadable. C formatting for the duration.
#ifdef _WIN32
// Windows has no uselocale: this thread gets a locale of its own instead.
class CNumbers {
 public:
  CNumbers() : previous_mode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    if (const char* current = setlocale(LC_NUMERIC, nullptr)) previous_ = current;
    setlocale(LC_NUMERIC, "C");
  }
  ~CNumbers() {
    if (!previous_.empty()) setlocale(LC_NUMERIC, previous_.c_str());
    _configthreadlocale(previous_mode_);
  }
  CNumbers(const CNumbers&) = delete;
  CNumbers& operator=(const CNumbers&) = delete;

 private:
  int previous_mode_;
  std::string previous_;
};
#else
class CNumbers {
 public:
  CNumbers() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))) {
    if (c_ != static_cast<locale_t>(0)) previous_ = uselocale(c_);
  }
  ~CNumbers() {
    if (c_ == static_cast<locale_t>(0)) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CNumbers(const CNumbers&) = delete;
  CNumbers& operator=(const CNumbers&) = delete;

 private:
  locale_t c_;
  locale_t previous_ = static_cast<locale_t>(0);
};
#endif

// A failed library call: the message says what was being done and why.
Error Failure(Instance instance, const std::string& doing) {
  std::string message = "The 3MF file could not be composed (";
  message += doing;
  message += ")";
  DWORD code = 0;
  LPCSTR text = nullptr;
  if (instance != nullptr && NMR::lib3mf_getlasterror(instance, &code, &text) == 0 &&
      text != nullptr && *text != '\0') {
    message += ": ";
    message += text;
  }
  return Error{message + "."};
}

// A UUID that the content names (RFC 9562 version 8): the same part gives
// the same one on every run, so that the package's bytes repeat, and parts
// that differ get different ones. Two 64-bit FNV-1a hashes of the content.
class ContentUuid {
 public:
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
      high_ = (high_ ^ bytes[i]) * 0x100000001B3ull;
      low_ = (low_ ^ bytes[i]) * 0x100000001B3ull;
      low_ ^= low_ >> 29;
    }
  }
  void Add(std::string_view text) {
    const std::uint64_t size = text.size();
    Add(&size, sizeof size);
    Add(text.data(), text.size());
  }
  std::string Text() const {
    const std::uint64_t high = (high_ & ~0xF000ull) | 0x8000ull;
    const std::uint64_t low = (low_ & ~(3ull << 62)) | (2ull << 62);
    char text[37];
    std::snprintf(text, sizeof text, "%08llx-%04llx-%04llx-%04llx-%012llx",
                  static_cast<unsigned long long>(high >> 32),
                  static_cast<unsigned long long>((high >> 16) & 0xFFFF),
                  static_cast<unsigned long long>(high & 0xFFFF),
                  static_cast<unsigned long long>(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
    return text;
  }

 private:
  std::uint64_t high_ = 0xCBF29CE484222325ull;
  std::uint64_t low_ = 0x84222325CBF29CE4ull;
};

Result<> AddPart(Instance model, const Part& part, const Placement* placement,
                    ContentUuid& package) {
  const TriangleMesh mesh = PartMesh(part);
  std::vector<NMR::MODELMESHVERTEX> vertices(mesh.vertices.size());
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const Point3& p = mesh.vertices[i];
    vertices[i] = {{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)}};
  }
  std::vector<NMR::MODELMESHTRIANGLE> triangles(mesh.triangles.size());
  for (std::size_t i = 0; i < triangles.size(); ++i) {
    for (int k = 0; k < 3; ++k)
      triangles[i].m_nIndices[k] = static_cast<DWORD>(mesh.triangles[i][k]);
  }
  ContentUuid uuid;
  uuid.Add(part.part_name);
  uuid.Add(vertices.data(), vertices.size() * sizeof vertices[0]);
  uuid.Add(triangles.data(), triangles.size() * sizeof triangles[0]);
  const std::string object_uuid = uuid.Text();
  uuid.Add("build item");
  const std::string item_uuid = uuid.Text();
  package.Add(object_uuid);
  Instance raw = nullptr;
  if (NMR::lib3mf_model_addmeshobject(model, &raw) != 0) return Failure(model, "adding a part");
  const Handle object(raw);
  if (NMR::lib3mf_object_setnameutf8(object.get(), part.part_name.c_str()) != 0 ||
      NMR::lib3mf_object_setuuidutf8(object.get(), object_uuid.c_str()) != 0 ||
      NMR::lib3mf_meshobject_setgeometry(object.get(), vertices.data(),
                                         static_cast<DWORD>(vertices.size()), triangles.data(),
                                         static_cast<DWORD>(triangles.size())) != 0) {
    return Failure(object.get(), "the mesh of " + part.part_name);
  }
  // The part's place in the script is in its vertices; a placement on the
  // plate goes into the build item only.
  NMR::MODELTRANSFORM transform{};
  if (placement != nullptr) {
    for (int i = 0; i < 3; ++i) {
      for (int k = 0; k < 3; ++k) {
        transform.m_fFields[i][k] = static_cast<float>(
            placement->rotation[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)]);
      }
      transform.m_fFields[i][3] =
          static_cast<float>(placement->translation[static_cast<std::size_t>(i)]);
    }
  }
  Instance item = nullptr;
  if (NMR::lib3mf_model_addbuilditem(model, object.get(), placement ? &transform : nullptr,
                                      &item) != 0) {
    return Failure(model, "placing " + part.part_name);
  }
  const Handle placed(item);
  if (NMR::lib3mf_builditem_setuuidutf8(placed.get(), item_uuid.c_str()) != 0)
    return Failure(placed.get(), "naming the place of " + part.part_name);
  return Done{};
}

}  // namespace

bool CanWriteThreeMf() { return true; }

Result<std::string> EncodeThreeMf(const std::vector<Part>& parts, LengthUnit unit,
                                  const std::vector<Placement>* placements) {
  const CNumbers c_numbers;
  Instance raw = nullptr;
  if (NMR::lib3mf_createmodel(&raw) != 0) return Failure(nullptr, "creating the model");
  const Handle model(raw);
  const DWORD model_unit =
      unit == LengthUnit::kInch ? NMR::MODELUNIT_INCH : NMR::MODELUNIT_MILLIMETER;
  if (NMR::lib3mf_model_setunit(model.get(), model_unit) != 0)
    return Failure(model.get(), "setting the unit");
  ContentUuid package;
  package.Add(unit == LengthUnit::kInch ? "inch" : "millimetre");
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Placement* placement = placements != nullptr ? &(*placements)[i] : nullptr;
    if (Result<> added = AddPart(model.get(), parts[i], placement, package); !added) {
      return added.error();
    }
  }
  if (NMR::lib3mf_model_setbuilduuidutf8(model.get(), package.Text().c_str()) != 0)
    return Failure(model.get(), "naming the build");
  Instance writer_raw = nullptr;
  if (NMR::lib3mf_model_querywriter(model.get(), "3mf", &writer_raw) != 0)
    return Failure(model.get(), "finding the writer");
  const Handle writer(writer_raw);
  ULONG64 size = 0;
  if (NMR::lib3mf_writer_getstreamsize(writer.get(), &size) != 0)
    return Failure(writer.get(), "measuring the package");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (NMR::lib3mf_writer_writetobuffer(writer.get(), reinterpret_cast<BYTE*>(bytes.data()),
                                       size) != 0)
    return Failure(writer.get(), "writing the package");
  // The library dates every entry 1980-00-00, a day that does not exist.
  if (Result<> dated = SetZipEntryTimes(bytes, kFixedZipTime); !dated) return dated.error();
  return bytes;
}

#else  // !BOLTGEN_HAVE_LIB3MF

bool CanWriteThreeMf() { return false; }

Result<std::string> EncodeThreeMf(const std::vector<Part>&, LengthUnit,
                                  const std::vector<Placement>*) {
  return Error{"This build of the program cannot write 3MF files (it was built without lib3mf). "
               "Clear \"Write 3MF\" (/X:0)."};
}

#endif

}  // namespace boltgen
