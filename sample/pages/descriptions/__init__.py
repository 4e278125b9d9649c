"""One description per page: what it teaches, in the order it shows and reads it."""
