#pragma once
// The transportation programs of the haul plan solved by COIN-OR CLP: one
// row per node (its bounds on what it ships or receives), one column per arc.
#include "compute/TransportSolver.h"

#include <memory>

class ClpSimplex;

namespace mardex {

class ClpTransportSolver final : public TransportSolver {
public:
    ClpTransportSolver();
    ~ClpTransportSolver() override;

    void Start(const std::vector<NodeBounds>& sources, const std::vector<NodeBounds>& sinks) override;
    void AddArcs(const std::vector<TransportArc>& arcs) override;
    bool Solve() override;
    const std::vector<double>& Flows() override;
    double SourcePrice(int source) const override;
    double SinkPrice(int sink) const override;

private:
    std::unique_ptr<ClpSimplex> model_;
    int sources_ = 0;
    bool solved_ = false;  // a basis to start the next solve from
    std::vector<double> flows_;
};

} // namespace mardex
