#include "platform/ui/solver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

// The tableau follows the Cassowary formulation: every constraint becomes a row
//   basic = constant + Σ coefficient × parametric
// over external (unrestricted) variables and restricted symbols: slacks of inequalities, errors of
// preferences (each ≥ 0) and dummies of required equalities (held at 0). The objective is one row per
// priority level, minimised lexicographically from the highest level down. Entering and leaving
// symbols are chosen by Bland's rule (lowest symbol id on ties), which keeps the simplex from cycling
// and makes every result depend only on the sequence of calls.

namespace ui {
namespace {

using Symbol = uint32_t;
constexpr Symbol kNone = UINT32_MAX;
constexpr double kEpsilon = 1e-8;

bool nearZero(double value) { return std::fabs(value) < kEpsilon; }

enum class Kind : uint8_t { unused, external, slack, error, dummy };

bool restricted(Kind kind) { return kind == Kind::slack || kind == Kind::error; }

struct Cell {
  Symbol symbol;
  double coefficient;
};

// A sparse row, cells sorted by symbol. Most rows hold a handful of the tableau's symbols, and
// substituting a symbol visits every row: a 64-bit summary of the symbols a row may hold (one bit
// per symbol modulo 64, set when a symbol comes in, cleared only when the cells are rebuilt) answers
// most "not here" at once, without changing any arithmetic.
class Row {
 public:
  double constant = 0;

  const std::vector<Cell>& cells() const { return cells_; }
  bool empty() const { return cells_.empty(); }

  // False only when the symbol is surely absent.
  bool mayHold(Symbol symbol) const { return (summary_ & bit(symbol)) != 0; }

  double coefficientFor(Symbol symbol) const {
    if (!mayHold(symbol)) return 0.0;
    auto it = find(symbol);
    return it != cells_.end() && it->symbol == symbol ? it->coefficient : 0.0;
  }

  void add(Symbol symbol, double coefficient) {
    auto it = find(symbol);
    if (it != cells_.end() && it->symbol == symbol) {
      it->coefficient += coefficient;
      if (nearZero(it->coefficient)) cells_.erase(it);
    } else if (!nearZero(coefficient)) {
      cells_.insert(it, {symbol, coefficient});
      summary_ |= bit(symbol);
    }
  }

  // this += factor × other, merged in one pass.
  void addRow(const Row& other, double factor, std::vector<Cell>& scratch) {
    constant += factor * other.constant;
    if (other.cells_.empty()) return;
    scratch.clear();
    // The buffers trade places at every merge: size this one once instead of growing it.
    scratch.reserve(cells_.size() + other.cells_.size());
    auto a = cells_.begin();
    auto b = other.cells_.begin();
    while (a != cells_.end() || b != other.cells_.end()) {
      if (b == other.cells_.end() || (a != cells_.end() && a->symbol < b->symbol)) {
        scratch.push_back(*a++);
      } else if (a == cells_.end() || b->symbol < a->symbol) {
        double value = factor * b->coefficient;
        if (!nearZero(value)) scratch.push_back({b->symbol, value});
        ++b;
      } else {
        double value = a->coefficient + factor * b->coefficient;
        if (!nearZero(value)) scratch.push_back({a->symbol, value});
        ++a;
        ++b;
      }
    }
    cells_.swap(scratch);
    summary_ = 0;
    for (const Cell& cell : cells_) summary_ |= bit(cell.symbol);
  }

  void remove(Symbol symbol) {
    if (!mayHold(symbol)) return;
    auto it = find(symbol);
    if (it != cells_.end() && it->symbol == symbol) cells_.erase(it);
  }

  void scale(double factor) {
    constant *= factor;
    for (Cell& cell : cells_) cell.coefficient *= factor;
  }

  // The row reads 0 = constant + Σ...; afterwards it reads symbol = constant + Σ... (without symbol).
  void solveFor(Symbol symbol) {
    double coefficient = coefficientFor(symbol);
    remove(symbol);
    scale(-1.0 / coefficient);
  }

  // The row reads lhs = ...; afterwards it reads rhs = ... (in terms of lhs).
  void solveFor(Symbol lhs, Symbol rhs) {
    add(lhs, -1.0);
    solveFor(rhs);
  }

  // Replaces symbol by the expression of `row`. True when the symbol was present.
  bool substitute(Symbol symbol, const Row& row, std::vector<Cell>& scratch) {
    if (!mayHold(symbol)) return false;
    auto it = find(symbol);
    if (it == cells_.end() || it->symbol != symbol) return false;
    double coefficient = it->coefficient;
    cells_.erase(it);
    addRow(row, coefficient, scratch);
    return true;
  }

 private:
  static std::uint64_t bit(Symbol symbol) { return std::uint64_t{1} << (symbol & 63); }

  std::vector<Cell>::iterator find(Symbol symbol) {
    return std::lower_bound(cells_.begin(), cells_.end(), symbol,
                            [](const Cell& cell, Symbol s) { return cell.symbol < s; });
  }
  std::vector<Cell>::const_iterator find(Symbol symbol) const {
    return std::lower_bound(cells_.begin(), cells_.end(), symbol,
                            [](const Cell& cell, Symbol s) { return cell.symbol < s; });
  }

  std::vector<Cell> cells_;
  std::uint64_t summary_ = 0;
};

bool finite(double value) { return std::isfinite(value); }

}  // namespace

struct Solver::Impl {
  struct BasicRow {
    Symbol basic;
    Row row;
  };
  struct Level {
    double priority;
    Row row;
    int users = 0;
  };
  struct Record {
    bool live = false;
    Relation relation = Relation::equal;
    double priority = kRequired;
    double constant = 0;
    double relationSign = 1;  // -1 when the expression was negated to read "≥ 0"
    double markerSign = 1;    // the marker's coefficient in the original row
    Symbol marker = kNone;
    Symbol other = kNone;
    std::vector<Symbol> variables;
  };

  std::vector<Kind> kinds;
  std::vector<int32_t> rowOf;  // per symbol: index into rows, or -1 when parametric
  std::vector<uint32_t> uses;  // per external symbol: live constraints naming it
  std::vector<ConstraintId> editOf;
  std::vector<Symbol> freeSymbols;
  std::vector<BasicRow> rows;
  std::vector<Level> levels;  // highest priority first
  Row* artificial = nullptr;
  std::vector<Record> records;
  std::vector<ConstraintId> freeRecords;
  std::vector<Cell> scratch;

  // --- symbols --------------------------------------------------------------------------------

  Symbol newSymbol(Kind kind) {
    Symbol symbol;
    if (!freeSymbols.empty()) {
      symbol = freeSymbols.back();
      freeSymbols.pop_back();
      kinds[symbol] = kind;
      rowOf[symbol] = -1;
      uses[symbol] = 0;
      editOf[symbol] = kNone;
    } else {
      symbol = static_cast<Symbol>(kinds.size());
      kinds.push_back(kind);
      rowOf.push_back(-1);
      uses.push_back(0);
      editOf.push_back(kNone);
    }
    return symbol;
  }

  void freeSymbol(Symbol symbol) {
    if (symbol == kNone) return;
    if (rowOf[symbol] >= 0) eraseRow(rowOf[symbol]);
    // In exact arithmetic the symbol is gone from every row by now; drop rounding residue.
    for (BasicRow& basic : rows) basic.row.remove(symbol);
    for (Level& level : levels) level.row.remove(symbol);
    kinds[symbol] = Kind::unused;
    freeSymbols.push_back(symbol);
  }

  bool isExternal(Variable variable) const {
    return variable.id < kinds.size() && kinds[variable.id] == Kind::external;
  }

  // --- rows -----------------------------------------------------------------------------------

  void insertRow(Symbol basic, Row row) {
    rowOf[basic] = static_cast<int32_t>(rows.size());
    rows.push_back({basic, std::move(row)});
  }

  BasicRow takeRow(int32_t index) {
    BasicRow taken = std::move(rows[index]);
    eraseRow(index);
    return taken;
  }

  void eraseRow(int32_t index) {
    rowOf[rows[index].basic] = -1;
    if (index != static_cast<int32_t>(rows.size()) - 1) {
      rows[index] = std::move(rows.back());
      rowOf[rows[index].basic] = index;
    }
    rows.pop_back();
  }

  void substitute(Symbol symbol, const Row& row) {
    for (BasicRow& basic : rows) basic.row.substitute(symbol, row, scratch);
    for (Level& level : levels) level.row.substitute(symbol, row, scratch);
    if (artificial) artificial->substitute(symbol, row, scratch);
  }

  void pivot(int32_t index, Symbol entering) {
    BasicRow leaving = takeRow(index);
    leaving.row.solveFor(leaving.basic, entering);
    substitute(entering, leaving.row);
    insertRow(entering, std::move(leaving.row));
  }

  // Adds factor × symbol to a row, in terms of the parametric symbols.
  void addSymbol(Row& row, Symbol symbol, double factor) {
    if (rowOf[symbol] >= 0) {
      row.addRow(rows[rowOf[symbol]].row, factor, scratch);
    } else {
      row.add(symbol, factor);
    }
  }

  // --- objective levels -----------------------------------------------------------------------

  Level& level(double priority) {
    auto it = std::find_if(levels.begin(), levels.end(),
                           [&](const Level& l) { return l.priority <= priority; });
    if (it == levels.end() || it->priority != priority) it = levels.insert(it, Level{priority, Row(), 0});
    return *it;
  }

  void releaseLevel(double priority) {
    auto it = std::find_if(levels.begin(), levels.end(),
                           [&](const Level& l) { return l.priority == priority; });
    if (it != levels.end() && --it->users == 0) levels.erase(it);
  }

  // The reduced cost of a symbol at each level, highest first; lexicographically compared.
  int compareCost(Symbol a, double scaleA, Symbol b, double scaleB) const {
    for (const Level& l : levels) {
      double difference = l.row.coefficientFor(a) * scaleA - l.row.coefficientFor(b) * scaleB;
      if (!nearZero(difference)) return difference < 0 ? -1 : 1;
    }
    return 0;
  }

  // --- simplex --------------------------------------------------------------------------------

  std::size_t iterationLimit() const { return 1000 + 50 * (rows.size() + kinds.size()); }

  // Lowest symbol whose cost vector is lexicographically negative.
  Symbol enteringSymbol(const std::vector<const Row*>& objective) const {
    Symbol best = kNone;
    for (std::size_t i = 0; i < objective.size(); ++i) {
      for (const Cell& cell : objective[i]->cells()) {
        // The cell's own fields first: most objective cells are not negative, and the symbol's
        // kind is a lookup elsewhere.
        if (cell.coefficient > -kEpsilon || cell.symbol >= best || !restricted(kinds[cell.symbol])) continue;
        bool higherZero = std::all_of(objective.begin(), objective.begin() + i, [&](const Row* row) {
          return nearZero(row->coefficientFor(cell.symbol));
        });
        if (higherZero) best = cell.symbol;
      }
    }
    return best;
  }

  // The restricted row that first blocks the entering symbol's growth.
  int32_t leavingRow(Symbol entering) const {
    int32_t best = -1;
    double bestRatio = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const BasicRow& basic = rows[i];
      double coefficient = basic.row.coefficientFor(entering);
      if (coefficient > -kEpsilon || kinds[basic.basic] == Kind::external) continue;
      double ratio = -basic.row.constant / coefficient;
      if (best < 0 || ratio < bestRatio - kEpsilon ||
          (ratio < bestRatio + kEpsilon && basic.basic < rows[best].basic)) {
        best = static_cast<int32_t>(i);
        bestRatio = ratio;
      }
    }
    return best;
  }

  Status optimize(const std::vector<const Row*>& objective) {
    for (std::size_t n = iterationLimit(); n > 0; --n) {
      Symbol entering = enteringSymbol(objective);
      if (entering == kNone) return Status::ok;
      int32_t leaving = leavingRow(entering);
      if (leaving < 0) return Status::internalError;  // unbounded: cannot happen with errors ≥ 0
      pivot(leaving, entering);
    }
    return Status::internalError;
  }

  Status optimizeLevels() {
    std::vector<const Row*> objective;
    objective.reserve(levels.size());
    for (const Level& l : levels) objective.push_back(&l.row);
    return optimize(objective);
  }

  // Restores feasibility after constants moved, keeping the objective optimal. unsatisfiable when
  // a row cannot be made feasible: the required constraints conflict.
  Status dualOptimize() {
    for (std::size_t n = iterationLimit(); n > 0; --n) {
      int32_t leaving = -1;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        Kind kind = kinds[rows[i].basic];
        bool infeasible = kind == Kind::dummy ? !nearZero(rows[i].row.constant)
                                              : restricted(kind) && rows[i].row.constant < -kEpsilon;
        if (kind == Kind::dummy && infeasible) return Status::unsatisfiable;
        if (infeasible && (leaving < 0 || rows[i].basic < rows[leaving].basic)) leaving = static_cast<int32_t>(i);
      }
      if (leaving < 0) return Status::ok;
      Symbol entering = dualEnteringSymbol(rows[leaving].row);
      if (entering == kNone) return Status::unsatisfiable;
      pivot(leaving, entering);
    }
    return Status::internalError;
  }

  Symbol dualEnteringSymbol(const Row& row) const {
    Symbol best = kNone;
    double bestCoefficient = 0;
    for (const Cell& cell : row.cells()) {
      if (kinds[cell.symbol] == Kind::dummy || cell.coefficient < kEpsilon) continue;
      if (best == kNone) {
        best = cell.symbol;
        bestCoefficient = cell.coefficient;
        continue;
      }
      int order = compareCost(cell.symbol, 1.0 / cell.coefficient, best, 1.0 / bestCoefficient);
      if (order < 0 || (order == 0 && cell.symbol < best)) {
        best = cell.symbol;
        bestCoefficient = cell.coefficient;
      }
    }
    return best;
  }

  // --- adding ---------------------------------------------------------------------------------

  Row createRow(const Expression& expression, Record& record) {
    Row row;
    row.constant = expression.constant;
    for (const Term& term : expression.terms) {
      if (!nearZero(term.coefficient)) addSymbol(row, term.variable.id, term.coefficient);
    }
    bool required = record.priority >= kRequired;
    if (record.relation != Relation::equal) {
      record.relationSign = record.relation == Relation::lessOrEqual ? -1 : 1;
      row.scale(record.relationSign);  // now reads row ≥ 0
      record.marker = newSymbol(Kind::slack);
      record.markerSign = -1;
      row.add(record.marker, -1);
      if (!required) {
        record.other = newSymbol(Kind::error);
        row.add(record.other, 1);
        addSymbol(level(record.priority).row, record.other, 1);
      }
    } else if (required) {
      record.marker = newSymbol(Kind::dummy);
      record.markerSign = 1;
      row.add(record.marker, 1);
    } else {
      record.marker = newSymbol(Kind::error);
      record.other = newSymbol(Kind::error);
      record.markerSign = -1;
      row.add(record.marker, -1);
      row.add(record.other, 1);
      Level& l = level(record.priority);
      addSymbol(l.row, record.marker, 1);
      addSymbol(l.row, record.other, 1);
    }
    if (!required) level(record.priority).users++;
    if (row.constant < 0) row.scale(-1);
    return row;
  }

  Symbol chooseSubject(const Row& row, const Record& record) const {
    for (const Cell& cell : row.cells()) {
      if (kinds[cell.symbol] == Kind::external) return cell.symbol;
    }
    for (Symbol symbol : {record.marker, record.other}) {
      if (symbol != kNone && restricted(kinds[symbol]) && row.coefficientFor(symbol) < 0) return symbol;
    }
    return kNone;
  }

  bool allDummies(const Row& row) const {
    return std::all_of(row.cells().begin(), row.cells().end(),
                       [&](const Cell& cell) { return kinds[cell.symbol] == Kind::dummy; });
  }

  // Phase one for a required row that has no ready subject: minimise an artificial variable that
  // stands for the row. False when the row cannot be met; the tableau then holds what it held.
  bool addWithArtificialVariable(const Row& row) {
    Symbol art = newSymbol(Kind::slack);
    insertRow(art, row);
    Row objective = row;
    artificial = &objective;
    Status status = optimize({&objective});
    artificial = nullptr;
    bool success = status == Status::ok && nearZero(objective.constant);
    if (rowOf[art] >= 0) {
      BasicRow basic = takeRow(rowOf[art]);
      // Unmet: the artificial variable is basic at a positive value; its row is only its definition.
      if (!success || basic.row.empty()) {
        freeSymbol(art);
        return success;
      }
      Symbol entering = kNone;
      for (const Cell& cell : basic.row.cells()) {
        if (restricted(kinds[cell.symbol])) {
          entering = cell.symbol;
          break;
        }
      }
      if (entering == kNone) {
        freeSymbol(art);
        return false;
      }
      basic.row.solveFor(art, entering);
      substitute(entering, basic.row);
      insertRow(entering, std::move(basic.row));
    }
    freeSymbol(art);  // parametric at 0: dropping its column imposes the row
    return success;
  }

  // Takes the record's errors out of its level's objective.
  void removeObjectiveEffects(const Record& record) {
    if (record.priority >= kRequired) return;
    for (Symbol symbol : {record.marker, record.other}) {
      if (symbol != kNone && kinds[symbol] == Kind::error) addSymbol(level(record.priority).row, symbol, -1);
    }
  }

  void releaseSymbols(const Record& record) {
    if (record.priority < kRequired) releaseLevel(record.priority);
    freeSymbol(record.marker);
    freeSymbol(record.other);
  }

  // Frees what a refused constraint holds.
  void discard(const Record& record) {
    removeObjectiveEffects(record);
    releaseSymbols(record);
  }

  // --- removing -------------------------------------------------------------------------------

  // The row to pivot a parametric marker into before dropping it, keeping the others feasible.
  int32_t markerLeavingRow(Symbol marker) const {
    int32_t negative = -1, positive = -1, external = -1;
    double negativeRatio = 0, positiveRatio = 0;
    auto better = [&](int32_t current, double currentRatio, double ratio, std::size_t i) {
      return current < 0 || ratio < currentRatio - kEpsilon ||
             (ratio < currentRatio + kEpsilon && rows[i].basic < rows[current].basic);
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
      double coefficient = rows[i].row.coefficientFor(marker);
      if (coefficient == 0) continue;
      int32_t index = static_cast<int32_t>(i);
      if (kinds[rows[i].basic] == Kind::external) {
        if (external < 0 || rows[i].basic < rows[external].basic) external = index;
      } else if (coefficient < 0) {
        double ratio = -rows[i].row.constant / coefficient;
        if (better(negative, negativeRatio, ratio, i)) negative = index, negativeRatio = ratio;
      } else {
        double ratio = rows[i].row.constant / coefficient;
        if (better(positive, positiveRatio, ratio, i)) positive = index, positiveRatio = ratio;
      }
    }
    return negative >= 0 ? negative : positive >= 0 ? positive : external;
  }

  void dropMarker(Symbol marker) {
    if (rowOf[marker] >= 0) {
      eraseRow(rowOf[marker]);
      return;
    }
    int32_t index = markerLeavingRow(marker);
    if (index < 0) return;  // the marker appears nowhere: nothing depends on it
    BasicRow leaving = takeRow(index);
    leaving.row.solveFor(leaving.basic, marker);
    substitute(marker, leaving.row);
  }

  // Moves a marker by `shift` (old marker = new marker + shift) in every row.
  void shiftMarker(Symbol marker, double shift) {
    for (BasicRow& basic : rows) {
      if (basic.basic == marker) {
        basic.row.constant -= shift;
      } else {
        basic.row.constant += basic.row.coefficientFor(marker) * shift;
      }
    }
    for (Level& l : levels) l.row.constant += l.row.coefficientFor(marker) * shift;
  }

  Record* record(ConstraintId id) {
    return id < records.size() && records[id].live ? &records[id] : nullptr;
  }
};

Solver::Solver() : impl_(std::make_unique<Impl>()) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

Solver::Variable Solver::addVariable() { return Variable{impl_->newSymbol(Kind::external)}; }

Solver::Status Solver::removeVariable(Variable variable) {
  if (!impl_->isExternal(variable)) return Status::unknownVariable;
  if (impl_->uses[variable.id] > 0) return Status::variableInUse;
  impl_->freeSymbol(variable.id);
  return Status::ok;
}

double Solver::value(Variable variable) const {
  if (!impl_->isExternal(variable)) return 0;
  int32_t index = impl_->rowOf[variable.id];
  return index >= 0 ? impl_->rows[index].row.constant : 0;
}

Solver::AddResult Solver::addConstraint(const Expression& expression, Relation relation, double priority) {
  if (!(priority > 0 && priority <= kRequired)) return {Status::badPriority};
  if (!finite(expression.constant)) return {Status::badValue};
  for (const Term& term : expression.terms) {
    if (!impl_->isExternal(term.variable)) return {Status::unknownVariable};
    if (!finite(term.coefficient)) return {Status::badValue};
  }
  Impl::Record record;
  record.relation = relation;
  record.priority = priority;
  record.constant = expression.constant;
  Row row = impl_->createRow(expression, record);

  Symbol subject = impl_->chooseSubject(row, record);
  if (subject == kNone && impl_->allDummies(row)) {
    if (!nearZero(row.constant)) {
      impl_->discard(record);
      return {Status::unsatisfiable};
    }
    subject = record.marker;  // redundant with the required equalities already there
  }
  if (subject != kNone) {
    row.solveFor(subject);
    impl_->substitute(subject, row);
    impl_->insertRow(subject, std::move(row));
  } else if (!impl_->addWithArtificialVariable(row)) {
    impl_->discard(record);
    impl_->optimizeLevels();  // phase one may have left the preferences off their optimum
    return {Status::unsatisfiable};
  }
  Status status = impl_->optimizeLevels();

  for (const Term& term : expression.terms) {
    if (!nearZero(term.coefficient)) record.variables.push_back(term.variable.id);
  }
  for (Symbol symbol : record.variables) impl_->uses[symbol]++;
  record.live = true;
  ConstraintId id;
  if (!impl_->freeRecords.empty()) {
    id = impl_->freeRecords.back();
    impl_->freeRecords.pop_back();
    impl_->records[id] = std::move(record);
  } else {
    id = static_cast<ConstraintId>(impl_->records.size());
    impl_->records.push_back(std::move(record));
  }
  return {status, id};
}

Solver::Status Solver::removeConstraint(ConstraintId id) {
  Impl::Record* record = impl_->record(id);
  if (!record) return Status::unknownConstraint;
  impl_->removeObjectiveEffects(*record);
  impl_->dropMarker(record->marker);
  impl_->releaseSymbols(*record);
  for (Symbol symbol : record->variables) impl_->uses[symbol]--;
  *record = Impl::Record();
  impl_->freeRecords.push_back(id);
  return impl_->optimizeLevels();
}

bool Solver::hasConstraint(ConstraintId id) const { return impl_->record(id) != nullptr; }

double Solver::constant(ConstraintId id) const {
  const Impl::Record* record = impl_->record(id);
  return record ? record->constant : 0;
}

std::size_t Solver::constraintCount() const { return impl_->records.size() - impl_->freeRecords.size(); }

Solver::Status Solver::setConstant(ConstraintId id, double constant) {
  Impl::Record* record = impl_->record(id);
  if (!record) return Status::unknownConstraint;
  if (!finite(constant)) return Status::badValue;
  double old = record->constant;
  if (constant == old) return Status::ok;
  double shift = record->relationSign * (constant - old) / record->markerSign;
  impl_->shiftMarker(record->marker, shift);
  record->constant = constant;
  Status status = impl_->dualOptimize();
  if (status == Status::ok) return status;
  // Refused: put the old constant back; the basis is still optimal, so the dual simplex finds the
  // old solution's feasibility again.
  impl_->shiftMarker(record->marker, -shift);
  record->constant = old;
  impl_->dualOptimize();
  return status;
}

Solver::Status Solver::addEditVariable(Variable variable, double priority) {
  if (!impl_->isExternal(variable)) return Status::unknownVariable;
  if (!(priority > 0 && priority < kRequired)) return Status::badPriority;
  if (impl_->editOf[variable.id] != kNone) return Status::duplicateEdit;
  Expression expression;
  expression.add(variable, 1).add(-value(variable));
  AddResult added = addConstraint(expression, Relation::equal, priority);
  if (added.ok()) impl_->editOf[variable.id] = added.id;
  return added.status;
}

Solver::Status Solver::removeEditVariable(Variable variable) {
  if (!impl_->isExternal(variable)) return Status::unknownVariable;
  ConstraintId id = impl_->editOf[variable.id];
  if (id == kNone) return Status::unknownEdit;
  impl_->editOf[variable.id] = kNone;
  return removeConstraint(id);
}

bool Solver::hasEditVariable(Variable variable) const {
  return impl_->isExternal(variable) && impl_->editOf[variable.id] != kNone;
}

Solver::Status Solver::suggestValue(Variable variable, double value) {
  if (!impl_->isExternal(variable)) return Status::unknownVariable;
  ConstraintId id = impl_->editOf[variable.id];
  if (id == kNone) return Status::unknownEdit;
  return setConstant(id, -value);
}

const char* toString(Solver::Status status) {
  switch (status) {
    case Solver::Status::ok: return "ok";
    case Solver::Status::unsatisfiable: return "unsatisfiable required constraint";
    case Solver::Status::unknownConstraint: return "unknown constraint";
    case Solver::Status::unknownVariable: return "unknown variable";
    case Solver::Status::badPriority: return "priority out of range";
    case Solver::Status::badValue: return "value not finite";
    case Solver::Status::duplicateEdit: return "variable already edited";
    case Solver::Status::unknownEdit: return "variable not edited";
    case Solver::Status::variableInUse: return "variable still constrained";
    case Solver::Status::internalError: return "solver could not converge";
  }
  return "unknown";
}

}  // namespace ui
