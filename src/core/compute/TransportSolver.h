#pragma once
// A transportation linear program as the haul plan poses it: sources ship,
// sinks receive, each within its bounds, along arcs with a cost per unit;
// the least total cost is wanted. The solver is a library's (the program
// does not carry a simplex of its own): an implementation of this interface
// lives beside the window and the tool.
#include <limits>
#include <vector>

namespace mardex {

inline constexpr double Unlimited = std::numeric_limits<double>::infinity();

// What a node ships (a source) or receives (a sink) in all.
struct NodeBounds {
    double least = 0, most = 0;  // most may be Unlimited
};

struct TransportArc {
    int source = 0, sink = 0;
    double cost = 0;  // per unit of volume
};

class TransportSolver {
public:
    virtual ~TransportSolver() = default;
    // A new problem with these nodes and no arcs yet.
    virtual void Start(const std::vector<NodeBounds>& sources, const std::vector<NodeBounds>& sinks) = 0;
    // Arcs added to the problem; a later Solve() starts from the last answer.
    virtual void AddArcs(const std::vector<TransportArc>& arcs) = 0;
    // True when an optimum was found over the arcs added so far.
    virtual bool Solve() = 0;
    // The answer: the flow of every arc in the order added, and the price of
    // each node (the dual values), so that an arc not added is worth adding
    // when its cost is below source price + sink price.
    virtual const std::vector<double>& Flows() = 0;
    virtual double SourcePrice(int source) const = 0;
    virtual double SinkPrice(int sink) const = 0;
};

} // namespace mardex
