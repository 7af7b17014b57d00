// An incremental linear constraint solver in the Cassowary style: a simplex tableau over required
// and preferential constraints, kept optimal as constraints come and go and as constants change.
// Layout anchors are solved with it; it knows nothing of views.
//
// Priorities run from just above 0 to 1000. 1000 is required: the constraint holds or is refused.
// Below that, priorities are strict levels: a higher priority is satisfied as far as it can be before
// any lower priority is considered, whatever the amounts (the errors of one level are summed). Every
// operation is deterministic: the same sequence of calls gives the same values.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace ui {

class Solver {
 public:
  static constexpr double kRequired = 1000;

  struct Variable {
    uint32_t id = UINT32_MAX;
    bool valid() const { return id != UINT32_MAX; }
    friend bool operator==(const Variable&, const Variable&) = default;
  };

  struct Term {
    Variable variable;
    double coefficient = 1;
  };

  // constant + Σ coefficient × variable.
  struct Expression {
    std::vector<Term> terms;
    double constant = 0;

    Expression& add(Variable variable, double coefficient = 1) {
      terms.push_back({variable, coefficient});
      return *this;
    }
    Expression& add(double value) {
      constant += value;
      return *this;
    }
  };

  // An expression compared with zero.
  enum class Relation { equal, lessOrEqual, greaterOrEqual };

  enum class Status {
    ok,
    unsatisfiable,       // a required constraint (or a required constant) conflicts with the others
    unknownConstraint,   // the id names no live constraint
    unknownVariable,     // the variable was not made by this solver, or was removed
    badPriority,         // outside (0, 1000], or required where only a preference is allowed
    badValue,            // a coefficient, constant or value that is not finite
    duplicateEdit,       // the variable already has an edit
    unknownEdit,         // the variable has no edit
    variableInUse,       // a live constraint still names the variable
    internalError,       // the tableau could not be repaired (iteration limit, unbounded objective)
  };

  using ConstraintId = uint32_t;

  struct AddResult {
    Status status = Status::ok;
    ConstraintId id = UINT32_MAX;
    bool ok() const { return status == Status::ok; }
  };

  Solver();
  ~Solver();
  Solver(Solver&&) noexcept;
  Solver& operator=(Solver&&) noexcept;
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  Variable addVariable();
  // Frees the variable; no live constraint may name it.
  Status removeVariable(Variable variable);
  // The variable's value in the current solution; 0 when nothing determines it.
  double value(Variable variable) const;

  // Adds `expression relation 0`. A required constraint that conflicts is refused and leaves the
  // solver as it was.
  AddResult addConstraint(const Expression& expression, Relation relation, double priority);
  Status removeConstraint(ConstraintId id);
  bool hasConstraint(ConstraintId id) const;
  // Changes the constant of the constraint's expression and re-solves incrementally. A required
  // constant that cannot be met is refused; the old constant stays.
  Status setConstant(ConstraintId id, double constant);
  double constant(ConstraintId id) const;
  std::size_t constraintCount() const;

  // Edit variables: a preference `variable = value` whose value is moved by suggestValue, re-solved
  // incrementally. The priority must be below required.
  Status addEditVariable(Variable variable, double priority);
  Status removeEditVariable(Variable variable);
  bool hasEditVariable(Variable variable) const;
  Status suggestValue(Variable variable, double value);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

const char* toString(Solver::Status status);

}  // namespace ui
