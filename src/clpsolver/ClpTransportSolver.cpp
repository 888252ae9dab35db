#include "clpsolver/ClpTransportSolver.h"

#include <ClpSimplex.hpp>
#include <CoinFinite.hpp>

#include <cmath>

namespace mardex {

namespace {

double Bound(double v) { return std::isinf(v) ? (v > 0 ? COIN_DBL_MAX : -COIN_DBL_MAX) : v; }

} // namespace

ClpTransportSolver::ClpTransportSolver() = default;
ClpTransportSolver::~ClpTransportSolver() = default;

void ClpTransportSolver::Start(const std::vector<NodeBounds>& nodes)
{
    model_ = std::make_unique<ClpSimplex>();
    model_->setLogLevel(0);
    model_->setOptimizationDirection(1);
    const int rows = static_cast<int>(nodes.size());
    model_->resize(rows, 0);
    double* lower = model_->rowLower();
    double* upper = model_->rowUpper();
    for (int i = 0; i < rows; ++i) {
        lower[i] = Bound(nodes[static_cast<std::size_t>(i)].least);
        upper[i] = Bound(nodes[static_cast<std::size_t>(i)].most);
    }
    solved_ = false;
    flows_.clear();
}

void ClpTransportSolver::AddArcs(const std::vector<FlowArc>& arcs)
{
    if (arcs.empty()) return;
    const std::size_t n = arcs.size();
    std::vector<double> lower(n, 0.0), upper(n, COIN_DBL_MAX), cost(n), elements(2 * n);
    std::vector<CoinBigIndex> starts(n + 1);
    std::vector<int> rows(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        cost[i] = arcs[i].cost;
        starts[i] = static_cast<CoinBigIndex>(2 * i);
        rows[2 * i] = arcs[i].from;
        elements[2 * i] = -1;
        rows[2 * i + 1] = arcs[i].to;
        elements[2 * i + 1] = 1;
    }
    starts[n] = static_cast<CoinBigIndex>(2 * n);
    model_->addColumns(static_cast<int>(n), lower.data(), upper.data(), cost.data(), starts.data(), rows.data(),
                       elements.data());
}

bool ClpTransportSolver::Solve()
{
    // Arcs added since the last answer start at zero flow: that answer is
    // still feasible, so the primal simplex goes on from its basis. (On the
    // first solve too the primal simplex was the faster on these networks.)
    model_->primal();
    solved_ = model_->isProvenOptimal();
    flows_.clear();
    return solved_;
}

const std::vector<double>& ClpTransportSolver::Flows()
{
    if (flows_.empty() && solved_) {
        const double* x = model_->primalColumnSolution();
        flows_.assign(x, x + model_->numberColumns());
    }
    return flows_;
}

double ClpTransportSolver::NodePrice(int node) const { return model_->dualRowSolution()[node]; }

} // namespace mardex
