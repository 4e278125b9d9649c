"""Builds the program folder's sample content from the readable course files."""
