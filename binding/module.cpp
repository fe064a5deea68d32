// _sorvik_benchmark: the native module. A thin shell over the command layer: it turns the argument
// str into UTF-8, hands it over and returns the response text as a new str.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <string>
#include <string_view>

#include "sorvik_benchmark/command.hpp"

namespace {

using sorvik::runner::VERSION;

struct BenchmarkObject {
  PyObject_HEAD
};

PyObject* str_from(std::string_view text) {
  return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

PyObject* benchmark_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  if (PyTuple_GET_SIZE(args) != 0 || (kwargs != nullptr && PyDict_GET_SIZE(kwargs) != 0)) {
    PyErr_SetString(PyExc_TypeError, "Benchmark() takes no arguments");
    return nullptr;
  }
  return type->tp_alloc(type, 0);
}

void benchmark_dealloc(PyObject* self) {
  PyTypeObject* type = Py_TYPE(self);
  type->tp_free(self);
  Py_DECREF(type);
}

PyObject* benchmark_command(PyObject*, PyObject* args, PyObject* kwargs) {
  static const char* keywords[] = {"cmd_json", nullptr};
  PyObject* text = nullptr;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:command", const_cast<char**>(keywords), &text)) {
    return nullptr;
  }
  if (!PyUnicode_Check(text)) {
    PyErr_Format(PyExc_TypeError, "command() argument 'cmd_json' must be str, not %.100s",
                 Py_TYPE(text)->tp_name);
    return nullptr;
  }
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(text, &size);
  if (utf8 == nullptr) {
    return nullptr;
  }
  std::string response;
  try {
    response = sorvik::runner::handle_command(std::string_view(utf8, static_cast<std::size_t>(size)));
  } catch (...) {
    // handle_command is noexcept; this only guards the copy of its answer.
    return PyErr_NoMemory();
  }
  PyObject* result = str_from(response);
  if (result == nullptr && PyErr_ExceptionMatches(PyExc_UnicodeDecodeError)) {
    PyErr_Clear();
    PyErr_SetString(PyExc_ValueError, "response is not valid UTF-8");
  }
  return result;
}

PyObject* benchmark_version(PyObject*, PyObject*) { return str_from(VERSION); }

PyMethodDef benchmark_methods[] = {
    {"command", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(benchmark_command)),
     METH_VARARGS | METH_KEYWORDS,
     "command($self, cmd_json)\n--\n\nApply a command JSON and return the resulting response JSON."},
    {"version", benchmark_version, METH_NOARGS | METH_STATIC, "version()\n--\n\nThe library version."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot benchmark_slots[] = {
    {Py_tp_doc, const_cast<char*>("Benchmark()\n--\n\nA benchmark runner driven by JSON commands.")},
    {Py_tp_new, reinterpret_cast<void*>(benchmark_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(benchmark_dealloc)},
    {Py_tp_methods, benchmark_methods},
    {0, nullptr},
};

PyType_Spec benchmark_spec = {
    "_sorvik_benchmark.Benchmark",
    sizeof(BenchmarkObject),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    benchmark_slots,
};

// Adds an attribute: its name joins __all__ first (created empty when missing), then it is set.
// Steals the reference to value.
int add_exported(PyObject* module, const char* name, PyObject* value) {
  if (value == nullptr) {
    return -1;
  }
  PyObject* all = PyObject_GetAttrString(module, "__all__");
  if (all == nullptr) {
    PyErr_Clear();
    all = PyList_New(0);
    if (all == nullptr || PyModule_AddObjectRef(module, "__all__", all) < 0) {
      Py_XDECREF(all);
      Py_DECREF(value);
      return -1;
    }
  }
  PyObject* key = PyUnicode_FromString(name);
  int failed = key == nullptr || PyList_Append(all, key) < 0;
  Py_XDECREF(key);
  Py_DECREF(all);
  if (!failed) {
    failed = PyModule_AddObjectRef(module, name, value) < 0;
  }
  Py_DECREF(value);
  return failed ? -1 : 0;
}

int module_exec(PyObject* module) {
  if (add_exported(module, "__version__", str_from(VERSION)) < 0) {
    return -1;
  }
  return add_exported(module, "Benchmark", PyType_FromModuleAndSpec(module, &benchmark_spec, nullptr));
}

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {0, nullptr},
};

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT,
    "_sorvik_benchmark",
    "The native module (`sorvik_benchmark._sorvik_benchmark`).",
    0,
    nullptr,
    module_slots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

PyMODINIT_FUNC PyInit__sorvik_benchmark(void) { return PyModuleDef_Init(&module_def); }
