#pragma once
// A minimum-cost flow as the haul plan poses it: material enters the network
// at cut rows and borrow pits, leaves it at fill rows and waste sites, and
// passes through points along the alignment; each node keeps its net inflow
// within bounds, each arc has a cost per unit. The solver is a library's (the
// program carries no simplex of its own): an implementation of this
// interface lives beside the window and the tool.
#include <limits>
#include <vector>

namespace mardex {

inline constexpr double Unlimited = std::numeric_limits<double>::infinity();

// Inflow minus outflow of a node: a cut of c is [-c, -c], a fill of f is
// [f, f], a borrow pit [-capacity, 0], a waste site [0, capacity], a point
// passed through [0, 0].
struct NodeBounds {
    double least = 0, most = 0;  // either may be unlimited
};

struct FlowArc {
    int from = 0, to = 0;
    double cost = 0;  // per unit of volume
};

class TransportSolver {
public:
    virtual ~TransportSolver() = default;
    // A new problem with these nodes and no arcs yet.
    virtual void Start(const std::vector<NodeBounds>& nodes) = 0;
    // Arcs added to the problem; a later Solve() starts from the last answer.
    virtual void AddArcs(const std::vector<FlowArc>& arcs) = 0;
    // True when an optimum was found over the arcs added so far.
    virtual bool Solve() = 0;
    // The answer: the flow of every arc in the order added, and the price of
    // each node (its dual value): an arc not added is worth adding when its
    // cost + price(from) - price(to) is below zero.
    virtual const std::vector<double>& Flows() = 0;
    virtual double NodePrice(int node) const = 0;
};

} // namespace mardex
