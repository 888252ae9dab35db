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

void ClpTransportSolver::Start(const std::vector<NodeBounds>& sources, const std::vector<NodeBounds>& sinks)
{
    model_ = std::make_unique<ClpSimplex>();
    model_->setLogLevel(0);
    model_->setOptimizationDirection(1);
    sources_ = static_cast<int>(sources.size());
    const int rows = sources_ + static_cast<int>(sinks.size());
    model_->resize(rows, 0);
    double* lower = model_->rowLower();
    double* upper = model_->rowUpper();
    for (int i = 0; i < rows; ++i) {
        const NodeBounds& b = i < sources_ ? sources[static_cast<std::size_t>(i)]
                                           : sinks[static_cast<std::size_t>(i - sources_)];
        lower[i] = Bound(b.least);
        upper[i] = Bound(b.most);
    }
    solved_ = false;
    flows_.clear();
}

void ClpTransportSolver::AddArcs(const std::vector<TransportArc>& arcs)
{
    if (arcs.empty()) return;
    const std::size_t n = arcs.size();
    std::vector<double> lower(n, 0.0), upper(n, COIN_DBL_MAX), cost(n), elements(2 * n, 1.0);
    std::vector<CoinBigIndex> starts(n + 1);
    std::vector<int> rows(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        cost[i] = arcs[i].cost;
        starts[i] = static_cast<CoinBigIndex>(2 * i);
        rows[2 * i] = arcs[i].source;
        rows[2 * i + 1] = sources_ + arcs[i].sink;
    }
    starts[n] = static_cast<CoinBigIndex>(2 * n);
    model_->addColumns(static_cast<int>(n), lower.data(), upper.data(), cost.data(), starts.data(), rows.data(),
                       elements.data());
}

bool ClpTransportSolver::Solve()
{
    // Arcs added since the last answer start at zero flow: that answer is
    // still feasible, so the primal simplex goes on from its basis.
    if (solved_) model_->primal();
    else model_->dual();
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

double ClpTransportSolver::SourcePrice(int source) const { return model_->dualRowSolution()[source]; }

double ClpTransportSolver::SinkPrice(int sink) const { return model_->dualRowSolution()[sources_ + sink]; }

} // namespace mardex
