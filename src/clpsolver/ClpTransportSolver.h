#pragma once
// The flow programs of the haul plan solved by COIN-OR CLP: one row per node
// (the bounds of its net inflow), one column per arc (-1 where it leaves, +1
// where it arrives).
#include "compute/TransportSolver.h"

#include <memory>

class ClpSimplex;

namespace mardex {

class ClpTransportSolver final : public TransportSolver {
public:
    ClpTransportSolver();
    ~ClpTransportSolver() override;

    void Start(const std::vector<NodeBounds>& nodes) override;
    void AddArcs(const std::vector<FlowArc>& arcs) override;
    bool Solve() override;
    const std::vector<double>& Flows() override;
    double NodePrice(int node) const override;

private:
    std::unique_ptr<ClpSimplex> model_;
    bool solved_ = false;  // the last solve found an optimum
    std::vector<double> flows_;
};

} // namespace mardex
