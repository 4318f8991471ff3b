#include "src/ComUnits/uComFormLibInt.h"

#include <dlfcn.h>

#include <map>

#include "platform/rtl/Files.h"

namespace {

const char* const kLibraryFileName = "libComFormLibs.so";

// The grid tools library, loaded on first use and freed when this library unloads (or when a
// test points the loader elsewhere).
class TComFormLib {
 public:
  TComFormLib() = default;
  ~TComFormLib() { Unload(); }
  TComFormLib(const TComFormLib&) = delete;
  TComFormLib& operator=(const TComFormLib&) = delete;

  void* Procedure(const String& name) {
    const auto known = FProcedures.find(name);
    if (known != FProcedures.end()) return known->second;
    void* procedure = dlsym(Handle(), name.c_str());
    Assert(procedure != nullptr,
           "uComFormLibInt: \"" + name + "\" procedure not found in ComFormLibs.dll");
    FProcedures.emplace(name, procedure);
    return procedure;
  }

  void SetFolder(const String& folder) {
    Unload();
    FFolder = folder;
  }

 private:
  void* Handle() {
    if (!FHandle) Load();
    return FHandle;
  }

  void Load() {
    const String folder = FFolder.empty() ? ExtractFilePath(ExecutableFileName())
                                          : IncludeTrailingPathDelimiter(FFolder);
    const String path = folder + kLibraryFileName;
    if (!FileExists(path))
      throw Exception("uComFormLibInt.LoadLib: \"" + path + "\" library is not found");
    FHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) {
      const char* error = dlerror();
      throw EOSError(error ? error : "Cannot load " + path);
    }
  }

  void Unload() {
    FProcedures.clear();
    if (FHandle) dlclose(FHandle);
    FHandle = nullptr;
  }

  String FFolder;
  void* FHandle = nullptr;
  std::map<String, void*> FProcedures;
};

TComFormLib& Library() {
  static TComFormLib library;
  return library;
}

template <class Proc>
Proc* Resolve(const char* name) {
  return reinterpret_cast<Proc*>(Library().Procedure(name));
}

}  // namespace

void* GetComFormLibProc(const String& name) { return Library().Procedure(name); }

void SetComFormLibFolder(const String& folder) { Library().SetFolder(folder); }

void _SortDBGridB(TDataSet* dataSet, const String& caption) {
  Resolve<TSortDBGridBProc>("_SortDBGridB")(dataSet, caption);
}

void _FindByDBGridExB(TDataSet* dataSet, const String& caption, int& fieldIndex) {
  Resolve<TFindByDBGridExBProc>("_FindByDBGridExB")(dataSet, caption, fieldIndex);
}

void _FilterByDBGridD(int& state, IDBGrid* grid, const String& caption) {
  Resolve<TFilterByDBGridDProc>("_FilterByDBGridD")(state, grid, caption);
}

void GridReport(TDataSet* master, TDataSet* detail, const String& masterCaption,
                const String& detailCaption, const String& title) {
  Resolve<TGridReportProc>("GridReport")(master, detail, masterCaption, detailCaption, title);
}

void RSelect(TDataSet* dataSet, int mode, const String& checkFieldName) {
  Resolve<TRSelectProc>("RSelect")(dataSet, mode, checkFieldName);
}

void RunSelectDS(TDataSet* dataSet, int mode, const String& checkFieldName, bool flag) {
  Resolve<TRunSelectDSProc>("RunSelectDS")(dataSet, mode, checkFieldName, flag);
}

void RunSelectGrid(IDBGrid* grid, int mode, const String& checkFieldName, bool flag) {
  Resolve<TRunSelectGridProc>("RunSelectGrid")(grid, mode, checkFieldName, flag);
}

void RunMySelect(TDataSet* dataSet, int mode, const TMySelectNotifyEvent& handler2,
                 const TMySelectFilterEvent& handler, const String& checkFieldName, bool flag) {
  Resolve<TRunMySelectProc>("RunMySelect")(dataSet, mode, handler2, handler, checkFieldName, flag);
}

TObject* ShowGIF(const String& text) { return Resolve<TShowGIFProc>("ShowGIF")(text); }

void ShowFileList1(TStrings* lines, const String& caption) {
  Resolve<TShowFileList1Proc>("ShowFileList1")(lines, caption);
}

void GetIProgressEx(IProgress_001*& progress, const String& caption, const String& text,
                    int maximum, int style) {
  Resolve<TGetIProgressExProc>("GetIProgressEx")(progress, caption, text, maximum, style);
}
