#include "platform/ui/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace ui {
namespace {

using Relation = Solver::Relation;
using Status = Solver::Status;
using Expression = Solver::Expression;
constexpr double kRequired = Solver::kRequired;

// a·x + constant
Expression expr(Solver::Variable x, double a, double constant) { return std::move(Expression().add(x, a).add(constant)); }

// A text's width with its natural size 100: hugging (≤ 100 at 250) against compression resistance
// (≥ 100 at 750), pushed by a third constraint.
TEST(Solver, HuggingGivesWayToCompressionResistance) {
  struct Case {
    const char* name;
    Relation relation;
    double bound, priority, expected;
  } cases[] = {
      {"a required cap squeezes it", Relation::lessOrEqual, 80, kRequired, 80},
      {"a cap below compression resistance does not", Relation::lessOrEqual, 80, 700, 100},
      {"a pull above hugging stretches it", Relation::equal, 200, 500, 200},
      {"a pull below hugging does not", Relation::equal, 200, 200, 100},
  };
  for (const Case& c : cases) {
    Solver solver;
    auto width = solver.addVariable();
    solver.addConstraint(expr(width, 1, -100), Relation::lessOrEqual, 250);
    solver.addConstraint(expr(width, 1, -100), Relation::greaterOrEqual, 750);
    solver.addConstraint(expr(width, 1, -c.bound), c.relation, c.priority);
    EXPECT_DOUBLE_EQ(solver.value(width), c.expected) << c.name;
  }
}

TEST(Solver, EditedConstantIsResolvedIncrementally) {
  Solver solver;
  auto left = solver.addVariable(), width = solver.addVariable(), right = solver.addVariable();
  solver.addConstraint(Expression().add(right, 1).add(left, -1).add(width, -1), Relation::equal, kRequired);
  solver.addConstraint(expr(left, 1, -16), Relation::equal, kRequired);
  auto cap = solver.addConstraint(expr(right, 1, -300), Relation::lessOrEqual, kRequired);
  auto natural = solver.addConstraint(expr(width, 1, -100), Relation::equal, 750);
  EXPECT_DOUBLE_EQ(solver.value(right), 116);

  ASSERT_EQ(solver.setConstant(natural.id, -250), Status::ok);
  EXPECT_DOUBLE_EQ(solver.value(width), 250);
  ASSERT_EQ(solver.setConstant(natural.id, -400), Status::ok);  // capped by right ≤ 300
  EXPECT_DOUBLE_EQ(solver.value(width), 284);
  ASSERT_EQ(solver.setConstant(cap.id, -500), Status::ok);
  EXPECT_DOUBLE_EQ(solver.value(width), 400);
  EXPECT_DOUBLE_EQ(solver.constant(cap.id), -500);

  // A required constant that cannot hold is refused and the old one stays.
  auto floor = solver.addConstraint(expr(right, 1, -200), Relation::greaterOrEqual, kRequired);
  EXPECT_EQ(solver.setConstant(cap.id, -150), Status::unsatisfiable);
  EXPECT_DOUBLE_EQ(solver.constant(cap.id), -500);
  EXPECT_DOUBLE_EQ(solver.value(right), 416);
  ASSERT_EQ(solver.removeConstraint(floor.id), Status::ok);
  ASSERT_EQ(solver.setConstant(cap.id, -150), Status::ok);
  EXPECT_DOUBLE_EQ(solver.value(width), 134);
}

TEST(Solver, BadInputIsReportedNotApplied) {
  Solver solver;
  auto x = solver.addVariable();
  Solver other;
  other.addVariable();
  auto stranger = other.addVariable();
  EXPECT_EQ(solver.addConstraint(expr(x, 1, 0), Relation::equal, 0).status, Status::badPriority);
  EXPECT_EQ(solver.addConstraint(expr(x, 1, 0), Relation::equal, 1001).status, Status::badPriority);
  EXPECT_EQ(solver.addConstraint(expr(x, 1, 0), Relation::equal, NAN).status, Status::badPriority);
  EXPECT_EQ(solver.addConstraint(expr(x, 1, INFINITY), Relation::equal, 10).status, Status::badValue);
  EXPECT_EQ(solver.addConstraint(expr(x, NAN, 0), Relation::equal, 10).status, Status::badValue);
  EXPECT_EQ(solver.addConstraint(expr(stranger, 1, 0), Relation::equal, 10).status, Status::unknownVariable);
  EXPECT_EQ(solver.removeConstraint(42), Status::unknownConstraint);
  EXPECT_EQ(solver.setConstant(42, 1), Status::unknownConstraint);
  EXPECT_EQ(solver.constraintCount(), 0u);

  auto pin = solver.addConstraint(expr(x, 1, -3), Relation::equal, kRequired);
  EXPECT_EQ(solver.setConstant(pin.id, NAN), Status::badValue);
  EXPECT_EQ(solver.removeVariable(x), Status::variableInUse);
  solver.removeConstraint(pin.id);
  EXPECT_EQ(solver.removeConstraint(pin.id), Status::unknownConstraint);
  EXPECT_EQ(solver.removeVariable(x), Status::ok);
  EXPECT_EQ(solver.removeVariable(x), Status::unknownVariable);
}

// Random systems, changed step by step: required constraints always hold, and the incremental
// solution is as good, level by level, as solving the same live constraints from scratch.
struct LiveConstraint {
  std::vector<std::pair<int, double>> terms;  // variable index, coefficient
  double constant;
  Relation relation;
  double priority;
};

double residual(const Solver& solver, const std::vector<Solver::Variable>& vars, const LiveConstraint& constraint) {
  double sum = constraint.constant;
  for (auto [index, coefficient] : constraint.terms) sum += coefficient * solver.value(vars[index]);
  switch (constraint.relation) {
    case Relation::equal: return std::fabs(sum);
    case Relation::greaterOrEqual: return std::max(0.0, -sum);
    case Relation::lessOrEqual: return std::max(0.0, sum);
  }
  return 0;
}

std::map<double, double, std::greater<>> errorsByLevel(const Solver& solver,
                                                        const std::vector<Solver::Variable>& vars,
                                                        const std::map<Solver::ConstraintId, LiveConstraint>& live) {
  std::map<double, double, std::greater<>> errors;
  for (const auto& [id, constraint] : live) {
    if (constraint.priority < kRequired) errors[constraint.priority] += residual(solver, vars, constraint);
  }
  return errors;
}

Solver::Expression toExpression(const std::vector<Solver::Variable>& vars, const LiveConstraint& constraint) {
  Expression e;
  for (auto [index, coefficient] : constraint.terms) e.add(vars[index], coefficient);
  return std::move(e.add(constraint.constant));
}

TEST(Solver, RandomChangesMatchSolvingFromScratch) {
  std::mt19937 random(7);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const double priorities[] = {kRequired, 750, 500, 250, 1};
  const Relation relations[] = {Relation::equal, Relation::lessOrEqual, Relation::greaterOrEqual};

  for (int round = 0; round < 20; ++round) {
    Solver solver;
    std::vector<Solver::Variable> vars;
    for (int i = 0; i < 6; ++i) vars.push_back(solver.addVariable());
    std::map<Solver::ConstraintId, LiveConstraint> live;
    for (int step = 0; step < 60; ++step) {
      int action = uniform(0, 9);
      if (action < 6 || live.empty()) {
        LiveConstraint constraint;
        int count = uniform(1, 2);
        for (int t = 0; t < count; ++t) constraint.terms.push_back({uniform(0, 5), uniform(-2, 2) * 0.5 + 1});
        constraint.constant = uniform(-50, 50);
        constraint.relation = relations[uniform(0, 2)];
        constraint.priority = priorities[uniform(0, 4)];
        auto added = solver.addConstraint(toExpression(vars, constraint), constraint.relation, constraint.priority);
        ASSERT_TRUE(added.ok() || added.status == Status::unsatisfiable) << toString(added.status);
        if (added.ok()) live[added.id] = constraint;
      } else {
        auto it = std::next(live.begin(), uniform(0, static_cast<int>(live.size()) - 1));
        if (action < 8) {
          double constant = uniform(-50, 50);
          Status status = solver.setConstant(it->first, constant);
          ASSERT_TRUE(status == Status::ok || status == Status::unsatisfiable) << toString(status);
          if (status == Status::ok) it->second.constant = constant;
        } else {
          ASSERT_EQ(solver.removeConstraint(it->first), Status::ok);
          live.erase(it);
        }
      }
      for (const auto& [id, constraint] : live) {
        if (constraint.priority == kRequired) {
          ASSERT_NEAR(residual(solver, vars, constraint), 0, 1e-6);
        }
      }
      Solver fresh;
      std::vector<Solver::Variable> freshVars;
      for (int i = 0; i < 6; ++i) freshVars.push_back(fresh.addVariable());
      std::map<Solver::ConstraintId, LiveConstraint> freshLive;
      for (const auto& [id, constraint] : live) {
        auto added = fresh.addConstraint(toExpression(freshVars, constraint), constraint.relation, constraint.priority);
        ASSERT_TRUE(added.ok());
        freshLive[added.id] = constraint;
      }
      auto incremental = errorsByLevel(solver, vars, live);
      auto scratch = errorsByLevel(fresh, freshVars, freshLive);
      for (const auto& [priority, error] : scratch) {
        ASSERT_NEAR(incremental[priority], error, 1e-6) << "round " << round << " step " << step;
      }
    }
  }
}

}  // namespace
}  // namespace ui
