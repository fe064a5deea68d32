// _sorvik_indicators: the indicator library from Python. Every indicator comes from the factory
// (same names, aliases, parameter decoding and messages) and is fed exactly as the bar loop feeds it:
// a BarContext holding only the bar's candle, through BarIndicator::update, with the named outputs
// read back through extra_outputs after an update that yielded. `Indicator.update` does this one
// bar at a time; `compute` runs the same loop over whole arrays in one native call.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
#include <numpy/arrayobject.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sorvik/factory.hpp"
#include "sorvik/indicator.hpp"

namespace {

using sorvik::BarContext;
using sorvik::BarIndicator;
using sorvik::CatalogEntry;
using sorvik::NamedValue;

constexpr double NOTHING = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------------------------------
// Module state: the Indicator class, so that module functions can build instances.

struct ModuleState {
  PyObject* indicator_type = nullptr;
};

ModuleState* state_of(PyObject* module) { return static_cast<ModuleState*>(PyModule_GetState(module)); }

PyObject* str_from(std::string_view text) {
  return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

/// Sets MemoryError for a failed allocation, RuntimeError for anything else a C++ call threw.
/// Call only from a catch block.
PyObject* set_native_error() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (...) {
    PyErr_SetString(PyExc_RuntimeError, "internal error in the indicator library");
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Argument conversion

/// The UTF-8 bytes of a str argument, or nothing with TypeError/UnicodeEncodeError set.
std::optional<std::string_view> utf8_of(PyObject* obj, const char* what) {
  if (!PyUnicode_Check(obj)) {
    PyErr_Format(PyExc_TypeError, "%s must be str, not %.100s", what, Py_TYPE(obj)->tp_name);
    return std::nullopt;
  }
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(obj, &size);
  if (data == nullptr) return std::nullopt;
  return std::string_view(data, static_cast<std::size_t>(size));
}

/// The parameter list: any sequence of real numbers (list, tuple, numpy array); null means empty.
/// False with an exception set when it is not one.
bool params_of(PyObject* obj, std::vector<double>& out) {
  if (obj == nullptr || obj == Py_None) return true;
  if (PyUnicode_Check(obj) || PyBytes_Check(obj) || PyByteArray_Check(obj)) {
    PyErr_Format(PyExc_TypeError, "params must be a sequence of numbers, not %.100s", Py_TYPE(obj)->tp_name);
    return false;
  }
  PyObject* seq = PySequence_Fast(obj, "params must be a sequence of numbers");
  if (seq == nullptr) return false;
  const Py_ssize_t n = PySequence_Fast_GET_SIZE(seq);
  PyObject** items = PySequence_Fast_ITEMS(seq);
  out.reserve(static_cast<std::size_t>(n));
  for (Py_ssize_t i = 0; i < n; ++i) {
    PyObject* item = items[i];
    if (PyUnicode_Check(item) || PyBytes_Check(item)) {
      PyErr_Format(PyExc_TypeError, "params[%zd] must be a number, not %.100s", i, Py_TYPE(item)->tp_name);
      Py_DECREF(seq);
      return false;
    }
    const double x = PyFloat_AsDouble(item);
    if (x == -1.0 && PyErr_Occurred()) {
      if (PyErr_ExceptionMatches(PyExc_TypeError)) {
        PyErr_Clear();
        PyErr_Format(PyExc_TypeError, "params[%zd] must be a number, not %.100s", i, Py_TYPE(item)->tp_name);
      }
      Py_DECREF(seq);
      return false;
    }
    out.push_back(x);
  }
  Py_DECREF(seq);
  return true;
}

/// Builds an indicator through the factory; a factory failure becomes ValueError with its text.
std::unique_ptr<BarIndicator> build(std::string_view type_name, std::span<const double> params) {
  auto made = sorvik::create_indicator(type_name, params);
  if (!made) {
    const std::string text = made.error().display();
    PyErr_SetString(PyExc_ValueError, text.c_str());
    return nullptr;
  }
  return std::move(*made);
}

/// The catalog entry of a name, after the alias step. Never null for a name the factory built.
const CatalogEntry* entry_of(std::string_view type_name) {
  return sorvik::find_catalog_entry(sorvik::resolve_alias(type_name));
}

PyObject* names_tuple(std::span<const std::string_view> names) {
  PyObject* t = PyTuple_New(static_cast<Py_ssize_t>(names.size()));
  if (t == nullptr) return nullptr;
  for (std::size_t i = 0; i < names.size(); ++i) {
    PyObject* s = str_from(names[i]);
    if (s == nullptr) {
      Py_DECREF(t);
      return nullptr;
    }
    PyTuple_SET_ITEM(t, static_cast<Py_ssize_t>(i), s);
  }
  return t;
}

PyObject* floats_tuple(std::span<const double> xs) {
  PyObject* t = PyTuple_New(static_cast<Py_ssize_t>(xs.size()));
  if (t == nullptr) return nullptr;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    PyObject* f = PyFloat_FromDouble(xs[i]);
    if (f == nullptr) {
      Py_DECREF(t);
      return nullptr;
    }
    PyTuple_SET_ITEM(t, static_cast<Py_ssize_t>(i), f);
  }
  return t;
}

// ---------------------------------------------------------------------------------------------------
// Indicator

struct Native {
  std::unique_ptr<BarIndicator> indicator;
  const CatalogEntry* entry = nullptr;
  std::vector<double> params;
};

struct IndicatorObject {
  PyObject_HEAD
  Native* native;
};

Native* native_of(PyObject* self) { return reinterpret_cast<IndicatorObject*>(self)->native; }

/// A new Indicator of `type` (the Indicator class) built from a name and parameters.
PyObject* new_indicator(PyTypeObject* type, PyObject* name_obj, PyObject* params_obj) {
  const auto name = utf8_of(name_obj, "type_name");
  if (!name) return nullptr;
  try {
    auto native = std::make_unique<Native>();
    if (!params_of(params_obj, native->params)) return nullptr;
    native->indicator = build(*name, native->params);
    if (!native->indicator) return nullptr;
    native->entry = entry_of(*name);
    if (native->entry == nullptr) {
      PyErr_SetString(PyExc_RuntimeError, "internal error: a built indicator has no catalog entry");
      return nullptr;
    }
    PyObject* self = type->tp_alloc(type, 0);
    if (self == nullptr) return nullptr;
    reinterpret_cast<IndicatorObject*>(self)->native = native.release();
    return self;
  } catch (...) {
    return set_native_error();
  }
}

PyObject* indicator_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  static const char* keywords[] = {"type_name", "params", nullptr};
  PyObject* name = nullptr;
  PyObject* params = nullptr;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O:Indicator", const_cast<char**>(keywords), &name,
                                   &params)) {
    return nullptr;
  }
  return new_indicator(type, name, params);
}

void indicator_dealloc(PyObject* self) {
  PyTypeObject* type = Py_TYPE(self);
  delete reinterpret_cast<IndicatorObject*>(self)->native;
  type->tp_free(self);
  Py_DECREF(type);
}

PyObject* indicator_update(PyObject* self, PyObject* args, PyObject* kwargs) {
  static const char* keywords[] = {"open", "high", "low", "close", "volume", "time", nullptr};
  BarContext bar;
  sorvik::Candle& c = bar.candle;
  long long time = 0;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "dddd|dL:update", const_cast<char**>(keywords), &c.open,
                                   &c.high, &c.low, &c.close, &c.volume, &time)) {
    return nullptr;
  }
  c.time = static_cast<std::int64_t>(time);
  try {
    const std::optional<double> v = native_of(self)->indicator->update(bar);
    if (!v) Py_RETURN_NONE;
    return PyFloat_FromDouble(*v);
  } catch (...) {
    return set_native_error();
  }
}

PyObject* indicator_outputs(PyObject* self, void*) {
  PyObject* d = PyDict_New();
  if (d == nullptr) return nullptr;
  try {
    for (const NamedValue& nv : native_of(self)->indicator->extra_outputs()) {
      PyObject* key = str_from(nv.name);
      PyObject* value = key == nullptr ? nullptr : PyFloat_FromDouble(nv.value);
      const int failed = value == nullptr || PyDict_SetItem(d, key, value) < 0;
      Py_XDECREF(key);
      Py_XDECREF(value);
      if (failed) {
        Py_DECREF(d);
        return nullptr;
      }
    }
  } catch (...) {
    Py_DECREF(d);
    return set_native_error();
  }
  return d;
}

PyObject* indicator_warmup_period(PyObject* self, void*) {
  try {
    return PyLong_FromUnsignedLongLong(native_of(self)->indicator->warmup_period());
  } catch (...) {
    return set_native_error();
  }
}

PyObject* indicator_type_name(PyObject* self, void*) { return str_from(native_of(self)->entry->name); }

PyObject* indicator_output_names(PyObject* self, void*) { return names_tuple(native_of(self)->entry->outputs); }

PyObject* indicator_params(PyObject* self, void*) { return floats_tuple(native_of(self)->params); }

PyObject* indicator_repr(PyObject* self) {
  PyObject* name = indicator_type_name(self, nullptr);
  PyObject* params = name == nullptr ? nullptr : PyList_New(0);
  PyObject* result = nullptr;
  if (params != nullptr) {
    for (double x : native_of(self)->params) {
      PyObject* f = PyFloat_FromDouble(x);
      if (f == nullptr || PyList_Append(params, f) < 0) {
        Py_XDECREF(f);
        Py_DECREF(params);
        Py_DECREF(name);
        return nullptr;
      }
      Py_DECREF(f);
    }
    result = PyUnicode_FromFormat("Indicator(%R, %R)", name, params);
  }
  Py_XDECREF(params);
  Py_XDECREF(name);
  return result;
}

PyMethodDef indicator_methods[] = {
    {"update", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(indicator_update)),
     METH_VARARGS | METH_KEYWORDS,
     "update($self, open, high, low, close, volume=0.0, time=0)\n--\n\n"
     "Feed one bar and return the primary value, or None while warming up or when the bar is\n"
     "skipped. The bar is handed over exactly as the backtest's bar loop hands a candle: a\n"
     "candle-fed type skips an invalid candle (non-finite prices or volume, negative volume,\n"
     "high below low, open or close outside [low, high]) and keeps its state; a close-fed type\n"
     "reads only the close and skips a non-finite one. Types fed by trades, order books,\n"
     "derivatives ticks, cross-sections or a reference series never yield from candles."},
    {nullptr, nullptr, 0, nullptr},
};

PyGetSetDef indicator_getset[] = {
    {"outputs", indicator_outputs, nullptr,
     "The named outputs of the last update that yielded a value, in the type's order (the first is\n"
     "the primary value); empty before the first such update and for single-output types.",
     nullptr},
    {"warmup_period", indicator_warmup_period, nullptr, "The number of bars needed before values come.",
     nullptr},
    {"type_name", indicator_type_name, nullptr, "The canonical type name (an alias is resolved).", nullptr},
    {"output_names", indicator_output_names, nullptr,
     "The names of the named outputs, in order; empty for single-output types.", nullptr},
    {"params", indicator_params, nullptr, "The parameters as given, surplus elements included.", nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyType_Slot indicator_slots[] = {
    {Py_tp_doc, const_cast<char*>(
                    "Indicator(type_name, params=())\n--\n\n"
                    "A streaming indicator built by the factory from a type name (an alias such as\n"
                    "'Bollinger' is accepted) and positional parameters. Raises ValueError with the\n"
                    "factory's text for an unknown name or invalid parameters.")},
    {Py_tp_new, reinterpret_cast<void*>(indicator_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(indicator_dealloc)},
    {Py_tp_repr, reinterpret_cast<void*>(indicator_repr)},
    {Py_tp_methods, indicator_methods},
    {Py_tp_getset, indicator_getset},
    {0, nullptr},
};

PyType_Spec indicator_spec = {
    "sorvik_benchmark._sorvik_indicators.Indicator",
    sizeof(IndicatorObject),
    0,
    Py_TPFLAGS_DEFAULT,
    indicator_slots,
};

// ---------------------------------------------------------------------------------------------------
// create

PyObject* module_create(PyObject* module, PyObject* args, PyObject* kwargs) {
  static const char* keywords[] = {"type_name", "params", nullptr};
  PyObject* name = nullptr;
  PyObject* params = nullptr;
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O:create", const_cast<char**>(keywords), &name, &params)) {
    return nullptr;
  }
  return new_indicator(reinterpret_cast<PyTypeObject*>(state_of(module)->indicator_type), name, params);
}

// ---------------------------------------------------------------------------------------------------
// compute

/// One input column, converted to a contiguous 1-D array of its dtype (numpy arrays of that dtype
/// are used in place).
struct Column {
  const char* name = nullptr;
  PyArrayObject* array = nullptr;  // owned; null when the column was not given

  Column() = default;
  Column(const Column&) = delete;
  Column& operator=(const Column&) = delete;
  ~Column() { Py_XDECREF(array); }

  bool load(PyObject* obj, const char* column, int dtype) {
    name = column;
    if (obj == nullptr || obj == Py_None) return true;
    if (PyUnicode_Check(obj) || PyBytes_Check(obj)) {
      PyErr_Format(PyExc_TypeError, "%s must be a sequence of numbers, not %.100s", column, Py_TYPE(obj)->tp_name);
      return false;
    }
    // First the array as it comes (its own dtype, or the one numpy finds for a sequence), so that
    // strings, objects and fractional times are refused instead of being converted.
    PyObject* raw = PyArray_FROM_OF(obj, 0);
    if (raw == nullptr) return false;
    PyArrayObject* r = reinterpret_cast<PyArrayObject*>(raw);
    const bool whole = PyArray_ISINTEGER(r) || PyArray_ISBOOL(r);
    const bool numeric = whole || PyArray_ISFLOAT(r);
    const bool empty = PyArray_SIZE(r) == 0;
    if (!empty && (dtype == NPY_INT64 ? !whole : !numeric)) {
      Py_DECREF(raw);
      if (dtype == NPY_INT64) {
        PyErr_Format(PyExc_TypeError, "%s must hold whole numbers (signed 64-bit integers)", column);
      } else {
        PyErr_Format(PyExc_TypeError, "%s must hold real numbers", column);
      }
      return false;
    }
    // Prices: any float or integer dtype, converted to float64. Times: integers that fit int64.
    const int flags = NPY_ARRAY_IN_ARRAY | (dtype == NPY_INT64 && !empty ? 0 : NPY_ARRAY_FORCECAST);
    PyObject* a = PyArray_FROM_OTF(raw, dtype, flags);
    Py_DECREF(raw);
    if (a == nullptr) {
      if (dtype == NPY_INT64 && PyErr_ExceptionMatches(PyExc_TypeError)) {
        PyErr_Clear();
        PyErr_Format(PyExc_TypeError, "%s must hold whole numbers (signed 64-bit integers)", column);
      }
      return false;
    }
    array = reinterpret_cast<PyArrayObject*>(a);
    if (PyArray_NDIM(array) != 1) {
      PyErr_Format(PyExc_ValueError, "%s must be one-dimensional, got %d dimensions", column, PyArray_NDIM(array));
      return false;
    }
    return true;
  }

  [[nodiscard]] bool given() const noexcept { return array != nullptr; }
  [[nodiscard]] npy_intp size() const noexcept { return array ? PyArray_DIM(array, 0) : 0; }
  template <class T>
  [[nodiscard]] const T* data() const noexcept {
    return array ? static_cast<const T*>(PyArray_DATA(array)) : nullptr;
  }
};

/// The bar loop over the columns: the same BarContext and the same calls as the backtest.
/// Absent columns take their defaults: open = close, high = max(open, close),
/// low = min(open, close), volume = 0, time = 0. Outputs are written per bar, NaN for nothing.
void run_columns(BarIndicator& ind, npy_intp n, const double* open, const double* high, const double* low,
                 const double* close, const double* volume, const std::int64_t* time, double* primary,
                 std::span<double* const> named) {
  BarContext bar;
  sorvik::Candle& c = bar.candle;
  for (npy_intp i = 0; i < n; ++i) {
    c.close = close[i];
    c.open = open != nullptr ? open[i] : c.close;
    c.high = high != nullptr ? high[i] : (c.open > c.close ? c.open : c.close);
    c.low = low != nullptr ? low[i] : (c.open < c.close ? c.open : c.close);
    c.volume = volume != nullptr ? volume[i] : 0.0;
    c.time = time != nullptr ? time[i] : 0;
    const std::optional<double> v = ind.update(bar);
    if (named.empty()) {
      primary[i] = v ? *v : NOTHING;
      continue;
    }
    if (!v) {
      for (double* col : named) col[i] = NOTHING;
      continue;
    }
    const std::span<const NamedValue> outs = ind.extra_outputs();
    for (std::size_t k = 0; k < named.size(); ++k) named[k][i] = k < outs.size() ? outs[k].value : NOTHING;
  }
}

PyObject* new_float_array(npy_intp n) { return PyArray_SimpleNew(1, &n, NPY_FLOAT64); }

PyObject* module_compute(PyObject*, PyObject* args, PyObject* kwargs) {
  static const char* keywords[] = {"type_name", "params", "open", "high", "low", "close", "volume", "time", nullptr};
  PyObject* name_obj = nullptr;
  PyObject* params_obj = nullptr;
  PyObject* objs[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O$OOOOOO:compute", const_cast<char**>(keywords), &name_obj,
                                   &params_obj, &objs[0], &objs[1], &objs[2], &objs[3], &objs[4], &objs[5])) {
    return nullptr;
  }
  if (objs[3] == nullptr || objs[3] == Py_None) {
    PyErr_SetString(PyExc_TypeError, "compute() missing required keyword argument 'close'");
    return nullptr;
  }
  const auto name = utf8_of(name_obj, "type_name");
  if (!name) return nullptr;

  try {
    std::vector<double> params;
    if (!params_of(params_obj, params)) return nullptr;

    // Columns in a fixed order: close first, so that a length mismatch names close as the reference.
    static const char* column_names[6] = {"open", "high", "low", "close", "volume", "time"};
    Column cols[6];
    for (int k = 0; k < 6; ++k) {
      if (!cols[k].load(objs[k], column_names[k], k == 5 ? NPY_INT64 : NPY_FLOAT64)) return nullptr;
    }
    const npy_intp n = cols[3].size();
    for (int k = 0; k < 6; ++k) {
      if (cols[k].given() && cols[k].size() != n) {
        PyErr_Format(PyExc_ValueError, "arrays of unequal length: close has %zd elements, %s has %zd",
                     static_cast<Py_ssize_t>(n), cols[k].name, static_cast<Py_ssize_t>(cols[k].size()));
        return nullptr;
      }
    }

    std::unique_ptr<BarIndicator> ind = build(*name, params);
    if (!ind) return nullptr;
    const CatalogEntry* entry = entry_of(*name);
    const std::span<const std::string_view> output_names =
        entry != nullptr ? entry->outputs : std::span<const std::string_view>{};

    // Result arrays: one for a single-output type, one per named output otherwise.
    const std::size_t count = output_names.empty() ? 1 : output_names.size();
    std::vector<double*> columns(count, nullptr);
    std::vector<PyObject*> results(count, nullptr);
    auto drop = [&results] {
      for (PyObject* r : results) Py_XDECREF(r);
    };
    for (std::size_t k = 0; k < count; ++k) {
      results[k] = new_float_array(n);
      if (results[k] == nullptr) {
        drop();
        return nullptr;
      }
      columns[k] = static_cast<double*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(results[k])));
    }

    bool failed = false;
    bool bad_alloc = false;
    Py_BEGIN_ALLOW_THREADS
    try {
      run_columns(*ind, n, cols[0].data<double>(), cols[1].data<double>(), cols[2].data<double>(),
                  cols[3].data<double>(), cols[4].data<double>(), cols[5].data<std::int64_t>(), columns[0],
                  output_names.empty() ? std::span<double* const>{} : std::span<double* const>(columns));
    } catch (const std::bad_alloc&) {
      failed = bad_alloc = true;
    } catch (...) {
      failed = true;
    }
    Py_END_ALLOW_THREADS
    if (failed) {
      drop();
      if (bad_alloc) return PyErr_NoMemory();
      PyErr_SetString(PyExc_RuntimeError, "internal error in the indicator library");
      return nullptr;
    }

    if (output_names.empty()) return results[0];
    PyObject* d = PyDict_New();
    if (d == nullptr) {
      drop();
      return nullptr;
    }
    for (std::size_t k = 0; k < count; ++k) {
      PyObject* key = str_from(output_names[k]);
      if (key == nullptr || PyDict_SetItem(d, key, results[k]) < 0) {
        Py_XDECREF(key);
        Py_DECREF(d);
        drop();
        return nullptr;
      }
      Py_DECREF(key);
    }
    drop();  // the dict holds its own references now
    return d;
  } catch (...) {
    return set_native_error();
  }
}

// ---------------------------------------------------------------------------------------------------
// catalog

/// Sets d[key] = value and drops the reference to value. False on failure.
bool put(PyObject* d, const char* key, PyObject* value) {
  if (value == nullptr) return false;
  const int rc = PyDict_SetItemString(d, key, value);
  Py_DECREF(value);
  return rc == 0;
}

/// One catalog dict: `name` as accepted, the rest from the canonical entry.
PyObject* catalog_item(std::string_view name, const CatalogEntry& e) {
  PyObject* d = PyDict_New();
  if (d == nullptr) return nullptr;
  const bool ok = put(d, "name", str_from(name)) && put(d, "canonical", str_from(e.name)) &&
                  put(d, "feed", str_from(sorvik::wire_name(e.feed))) && put(d, "params", str_from(e.signature)) &&
                  put(d, "outputs", names_tuple(e.outputs)) && put(d, "built", PyBool_FromLong(e.built ? 1 : 0)) &&
                  put(d, "example", floats_tuple(e.example));
  if (!ok) {
    Py_DECREF(d);
    return nullptr;
  }
  return d;
}

PyObject* module_catalog(PyObject*, PyObject*) {
  try {
    struct Item {
      std::string_view name;
      const CatalogEntry* entry;
    };
    std::vector<Item> items;
    const std::span<const CatalogEntry> all = sorvik::catalog();
    items.reserve(all.size() + std::size(sorvik::ALIASES));
    for (const CatalogEntry& e : all) items.push_back({e.name, &e});
    for (const sorvik::Alias& a : sorvik::ALIASES) {
      if (const CatalogEntry* e = sorvik::find_catalog_entry(a.canonical)) items.push_back({a.alias, e});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.name < b.name; });

    PyObject* list = PyList_New(static_cast<Py_ssize_t>(items.size()));
    if (list == nullptr) return nullptr;
    for (std::size_t i = 0; i < items.size(); ++i) {
      PyObject* d = catalog_item(items[i].name, *items[i].entry);
      if (d == nullptr) {
        Py_DECREF(list);
        return nullptr;
      }
      PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), d);
    }
    return list;
  } catch (...) {
    return set_native_error();
  }
}

// ---------------------------------------------------------------------------------------------------
// The module

PyMethodDef module_methods[] = {
    {"create", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(module_create)),
     METH_VARARGS | METH_KEYWORDS,
     "create(type_name, params=())\n--\n\n"
     "Build a streaming Indicator by type name and positional parameters. Raises ValueError with\n"
     "the factory's text: 'unknown indicator type: Foo', 'invalid parameters for indicator Sma:\n"
     "parameter #0 must be a positive integer, got 2.5'."},
    {"compute", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(module_compute)),
     METH_VARARGS | METH_KEYWORDS,
     "compute(type_name, params=(), *, open=None, high=None, low=None, close, volume=None, time=None)\n"
     "--\n\n"
     "Run one indicator over whole arrays in a single native call, bar by bar exactly as\n"
     "Indicator.update would (the results match a loop of update bit for bit).\n\n"
     "The columns are sequences or numpy arrays of one dimension and equal length (ValueError\n"
     "otherwise); prices and volume are read as float64, time as int64. Only close is required.\n"
     "The others default per bar: open = close, high = the larger of open and close, low = the\n"
     "smaller of open and close, volume = 0.0, time = 0 (update's own default). Close alone is thus\n"
     "enough for close-fed types and gives candle-fed types a flat, valid candle.\n\n"
     "Returns a float64 array holding the primary value per bar and NaN where nothing was\n"
     "yielded, or, for a type with named outputs, a dict of such arrays keyed by output name in\n"
     "the type's order (the first holds the primary value). Raises ValueError with the factory's\n"
     "text for an unknown name or invalid parameters."},
    {"catalog", module_catalog, METH_NOARGS,
     "catalog()\n--\n\n"
     "One dict per accepted type name (the canonical names and the aliases), in ascending byte\n"
     "order: name, canonical (the type an alias stands for, else the name), feed (its wire name,\n"
     "e.g. 'kline'), params (the parameter kinds as letters: P positive integer, R real, I signed\n"
     "32-bit, U unsigned 32-bit), outputs (the named outputs of a built type), built (whether the\n"
     "type can be created yet) and example (parameters registered as an example, if any)."},
    {nullptr, nullptr, 0, nullptr},
};

int module_exec(PyObject* module) {
  if (_import_array() < 0) return -1;  // numpy's C API
  PyObject* type = PyType_FromModuleAndSpec(module, &indicator_spec, nullptr);
  if (type == nullptr) return -1;
  state_of(module)->indicator_type = type;  // the state keeps this reference
  if (PyModule_AddObjectRef(module, "Indicator", type) < 0) return -1;
  PyObject* all = Py_BuildValue("[ssss]", "Indicator", "catalog", "compute", "create");
  if (all == nullptr) return -1;
  const int rc = PyModule_AddObjectRef(module, "__all__", all);
  Py_DECREF(all);
  return rc;
}

int module_traverse(PyObject* module, visitproc visit, void* arg) {
  ModuleState* s = state_of(module);
  if (s != nullptr) Py_VISIT(s->indicator_type);
  return 0;
}

int module_clear(PyObject* module) {
  ModuleState* s = state_of(module);
  if (s != nullptr) Py_CLEAR(s->indicator_type);
  return 0;
}

void module_free(void* module) { module_clear(static_cast<PyObject*>(module)); }

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {0, nullptr},
};

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT,
    "_sorvik_indicators",
    "The indicator library (`sorvik_benchmark._sorvik_indicators`, re-exported as\n"
    "`sorvik_benchmark.indicators`): streaming Indicator objects and whole-array compute, both\n"
    "through the same factory and the same per-bar feeding as the backtest engine.",
    sizeof(ModuleState),
    module_methods,
    module_slots,
    module_traverse,
    module_clear,
    module_free,
};

}  // namespace

PyMODINIT_FUNC PyInit__sorvik_indicators(void) { return PyModuleDef_Init(&module_def); }
